// The advanced settings dialog: catalog, value-file folder and the two characteristic rules.

#include "dialogs/frm_advanced_settings.h"
#include "platform/paths.h"
#include "started_window.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace kelmar;
using test::child;
using test::textOf;

namespace {

// Opened from a stand-in for the setup dialog, which it hides and returns to.
struct Opened {
    QWidget setup;
    dialogs::frmAdvancedSettings* dialog = nullptr;

    explicit Opened(test::StartedWindow& w) {
        setup.show();
        w.window.hide();  // as the setup dialog left it
        dialog = new dialogs::frmAdvancedSettings(*w.f.process, setup);
        dialog->open();
    }
    void click(const char* button) { child<QAbstractButton>(dialog, button)->click(); }
};

QString inCatalogs(const test::StartedWindow& w, const char* name) {
    return QString::fromStdString(
        platform::joinPath(w.f.home.path(), platform::nativeSeparators(std::string("Catalogs\\") + name)));
}

}  // namespace

class AdvancedSettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void aFreshInstallationShowsAndOnYesStoresTheDefaults() {
        test::StartedWindow w;
        w.f.settings->write("CatalogPathName", "  ");  // what start-up stores when the catalog choice is cancelled
        Opened o(w);
        QVERIFY(!o.setup.isVisible());
        QCOMPARE(textOf(o.dialog, "lblQDASCatalog"), inCatalogs(w, "MyCatalog.dfd"));
        QCOMPARE(textOf(o.dialog, "lblPathForUserDefinedValues"), inCatalogs(w, ""));
        // The flags are false after start-up.
        QVERIFY(child<QRadioButton>(o.dialog, "Option1")->isChecked() &&
                child<QRadioButton>(o.dialog, "Option3")->isChecked());
        w.f.messages->answer(true);
        o.click("cmdOK");
        QCOMPARE(QString::fromStdString(w.stored().at("CatalogPathName")), inCatalogs(w, "MyCatalog.dfd"));
        QCOMPARE(QString::fromStdString(w.stored().at("ValueFilePath")), inCatalogs(w, ""));
        QCOMPARE(w.stored().at("DimensionNumber") + w.stored().at("DimensionName"), std::string("falsefalse"));
        QVERIFY(o.setup.isVisible() && !w.window.isVisible());  // back in the setup dialog
    }

    void yesStoresTheChoicesAndSetsTheFlags() {
        test::StartedWindow w;
        Opened o(w);
        o.click("Option2");
        o.click("Option4");
        w.f.dialogs->nextFile = "/srv/catalogs/Plant.dfd";
        o.click("cmdSearchQDASCatalog");
        auto* tree = child<QTreeView>(o.dialog, "Dir1");
        tree->setCurrentIndex(
            static_cast<QFileSystemModel*>(tree->model())->index(QString::fromStdString(w.f.home.path())));
        QCOMPARE(textOf(o.dialog, "lblPathForUserDefinedValues"), QString::fromStdString(w.f.home.path()));
        w.f.messages->answer(true);
        o.click("cmdOK");
        QCOMPARE(w.f.messages->shown.back().text,
                 std::string("The advanced settings will be saved.\nDo you want to continue?"));
        QCOMPARE(w.stored().at("CatalogPathName"), std::string("/srv/catalogs/Plant.dfd"));
        QCOMPARE(w.stored().at("ValueFilePath"), w.f.home.path());
        QCOMPARE(w.stored().at("DimensionNumber") + w.stored().at("DimensionName"), std::string("truetrue"));
        QVERIFY(w.f.process->state.run.DimensionNumber && w.f.process->state.run.DimensionName);
        Opened again(w);
        QVERIFY(child<QRadioButton>(again.dialog, "Option2")->isChecked());
    }

    void noCancelAndACancelledFileDialogStoreNothing() {
        test::StartedWindow w;
        auto before = w.stored();
        Opened o(w);
        o.click("cmdSearchQDASCatalog");  // nothing scripted: the file dialog is cancelled
        QCOMPARE(textOf(o.dialog, "lblQDASCatalog"), QString("/x/MyCatalog.dfd"));
        o.click("Option2");
        o.click("cmdOK");  // the scripted answer is No
        QCOMPARE(w.stored(), before);
        QVERIFY(!w.f.process->state.run.DimensionNumber);
        QVERIFY(o.setup.isVisible() && !o.dialog->isVisible());
        Opened cancelled(w);
        cancelled.click("Option2");
        cancelled.click("cmdCancel");
        QCOMPARE(w.stored(), before);
        QVERIFY(cancelled.setup.isVisible());
    }

    void captionsComeFromTheLanguageLines() {
        test::StartedWindow w({.numberedTexts = true});
        Opened o(w);
        QCOMPARE(o.dialog->windowTitle(), QString("Line 257"));
        QCOMPARE(child<QGroupBox>(o.dialog, "Frame5")->title(), QString("Line 263"));
        QCOMPARE(textOf(o.dialog, "Option1") + textOf(o.dialog, "Option4"), QString("Line 264Line 267"));
        o.click("cmdOK");
        QCOMPARE(w.f.messages->shown.back().kind, platform::MessageKind::Question);
        QCOMPARE(w.f.messages->shown.back().text, std::string("Line 270\nLine 271"));
    }

    void aValueFolderOnAnotherDriveShowsThatDrive() {
        QTemporaryDir folder("/dev/shm/kelmar-values-XXXXXX");
        test::StartedWindow w;
        w.f.settings->write("ValueFilePath", folder.path().toStdString());
        Opened o(w);
        auto* drive = child<QComboBox>(o.dialog, "Drive1");
        if (!folder.isValid() || drive->findText("/dev/shm") < 0) QSKIP("no second drive offered here");
        QCOMPARE(drive->currentText(), QString("/dev/shm"));
    }
};

QTEST_MAIN(AdvancedSettingsDialogTest)
#include "advanced_settings_dialog_test.moc"
