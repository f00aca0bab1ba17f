// The monitoring dialog: the extra copy of each output file and its folder.

#include "dialogs/drive_folder_lists.h"
#include "dialogs/frm_ausgabedatei_monitoring.h"
#include "started_window.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QTreeView>
#include <QtTest>

using namespace kelmar;
using test::child;
using test::textOf;

namespace {

dialogs::frm_Ausgabedatei_Monitoring* openMonitoring(test::StartedWindow& w) {
    auto* dialog = new dialogs::frm_Ausgabedatei_Monitoring(*w.f.process, w.window);
    dialog->open();
    return dialog;
}

void pickFolder(QWidget* dialog, const std::string& folder) {
    auto* tree = child<QTreeView>(dialog, "Dir_Ergebnis");
    tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(QString::fromStdString(folder)));
}

void click(QWidget* dialog, const char* button) { child<QAbstractButton>(dialog, button)->click(); }

std::string homeDrive(const test::StartedWindow& w) {
    return dialogs::driveOfFolder(w.f.home.path(), platform::CodePage::Windows1252);
}

}  // namespace

class MonitoringDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing stored: monitoring is off, so its folder cannot be chosen, and the folder offered
    // is the program's own, never the folder the process happened to start in.
    void withNothingStoredOkStoresTheDesignState() {
        test::StartedWindow w;
        auto* dialog = openMonitoring(w);
        auto* monitoring = child<QCheckBox>(dialog, "chkMonitoring");
        QVERIFY(!monitoring->isChecked());
        QVERIFY(!child<QTreeView>(dialog, "Dir_Ergebnis")->isEnabled());
        QVERIFY(!child<QComboBox>(dialog, "Drive_Ergebnis")->isEnabled());
        monitoring->setChecked(true);
        QVERIFY(child<QTreeView>(dialog, "Dir_Ergebnis")->isEnabled());
        monitoring->setChecked(false);
        QVERIFY(!child<QTreeView>(dialog, "Dir_Ergebnis")->isEnabled());
        QCOMPARE(textOf(dialog, "Label_Verzeichnis"), QString::fromStdString(w.f.home.path()));
        click(dialog, "OKButton");
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.stored().at("MONITOR"), std::string("0"));
        QCOMPARE(w.stored().at("DIR_MONITOR"), w.f.home.path());
        QCOMPARE(w.stored().at("DRIVE_MONITOR"), homeDrive(w));
    }

    void storedValuesAreShownAndChangesStored() {
        test::StartedWindow w;
        w.f.settings->write("MONITOR", "1");
        w.f.settings->write("DRIVE_MONITOR", "/mnt/share");  // not mounted here: kept all the same
        w.f.settings->write("DIR_MONITOR", "/mnt/share/q-das/monitor");
        auto* dialog = openMonitoring(w);
        QVERIFY(child<QCheckBox>(dialog, "chkMonitoring")->isChecked());
        QCOMPARE(textOf(dialog, "Label_Verzeichnis"), QString("/mnt/share/q-das/monitor"));
        QCOMPARE(child<QComboBox>(dialog, "Drive_Ergebnis")->currentText(), QString("/mnt/share"));
        click(dialog, "OKButton");
        QCOMPARE(w.stored().at("DIR_MONITOR"), std::string("/mnt/share/q-das/monitor"));

        dialog = openMonitoring(w);
        pickFolder(dialog, w.f.home.file("Catalogs"));
        QCOMPARE(textOf(dialog, "Label_Verzeichnis"), QString::fromStdString(w.f.home.file("Catalogs")));
        child<QCheckBox>(dialog, "chkMonitoring")->setChecked(false);
        click(dialog, "OKButton");
        QCOMPARE(w.stored().at("DIR_MONITOR"), w.f.home.file("Catalogs"));
        QCOMPARE(w.stored().at("DRIVE_MONITOR") + w.stored().at("MONITOR"), homeDrive(w) + "0");
    }

    void anotherDriveMovesTheFolderListAndThePathFollows() {
        test::StartedWindow w;
        w.f.settings->write("DRIVE_MONITOR", "/mnt/share");
        auto* dialog = openMonitoring(w);
        auto* drives = child<QComboBox>(dialog, "Drive_Ergebnis");
        int other = drives->findText("/mnt/share");
        emit drives->activated(other);
        QCOMPARE(textOf(dialog, "Label_Verzeichnis"), QString("/mnt/share"));  // that drive's root
        int home = drives->findText(QString::fromStdString(homeDrive(w)));
        emit drives->activated(home);
        QCOMPARE(drives->currentIndex(), home);
        QCOMPARE(textOf(dialog, "Label_Verzeichnis"), QString::fromStdString(w.f.home.path()));  // the program's folder lies there
    }

    void cancelAndNoRightsLeaveTheStore() {
        test::StartedWindow w;
        w.f.settings->write("MONITOR", "0");
        auto before = w.stored();
        auto* dialog = openMonitoring(w);
        child<QCheckBox>(dialog, "chkMonitoring")->setChecked(true);
        pickFolder(dialog, w.f.home.path());
        click(dialog, "CancelButton");
        QCOMPARE(w.stored(), before);
        QVERIFY(!child<QCheckBox>(dialog, "chkMonitoring")->isChecked());  // back to the stored value
        QVERIFY(w.window.isVisible());

        test::StartedWindow denied({.admin = false});
        before = denied.stored();
        dialog = openMonitoring(denied);
        child<QCheckBox>(dialog, "chkMonitoring")->setChecked(true);
        click(dialog, "OKButton");
        QCOMPARE(denied.stored(), before);
        QVERIFY(test::toldNoRights(denied));
        QVERIFY(denied.window.isVisible());
    }

    void captionsComeFromTheLanguageLines() {
        test::StartedWindow w({.numberedTexts = true});
        auto* dialog = openMonitoring(w);
        QCOMPARE(dialog->windowTitle(), QString("Line 60"));
        QCOMPARE(textOf(dialog, "CancelButton") + textOf(dialog, "OKButton"), QString("Line 61Line 62"));
        QCOMPARE(child<QGroupBox>(dialog, "Frame1")->title(), QString("Line 63"));
        QCOMPARE(textOf(dialog, "chkMonitoring") + textOf(dialog, "Label1"), QString("Line 64Line 65"));
    }
};

QTEST_MAIN(MonitoringDialogTest)
#include "monitoring_dialog_test.moc"
