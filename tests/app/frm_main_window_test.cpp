#include "app/frm_main_window.h"
#include "app/qt_messages.h"
#include "app_fixture.h"
#include "dialogs/started_window.h"
#include "dialogs/frm_path_select.h"
#include "platform/number_text.h"
#include "settings/setting_names.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QAbstractItemView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace kelmar;

namespace {

std::string labelText(QWidget& window, const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    return label ? label->text().toStdString() : "<missing " + std::string(name) + ">";
}

void addCharacteristic(capture::RunData& run, app::frmMainWindow& window, const std::string& name, double oot) {
    capture::Characteristic* c = run.appendCharacteristic();
    c->Name = name;
    c->OOT = platform::formatFixed5(oot);
    c->Nom = "10.00000";
    window.appendListEntry(name);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // First: once a test has ended the program, a box's own event loop returns at once.
    void questionsAnswerInTheLanguage() {
        test::StartedWindow w({.language = "German"});
        app::QtMessages boxes;
        boxes.setLanguage(&w.f.process->state.texts);
        QStringList answers;
        QObject answering;  // takes the answer with it should the box not wait
        QTimer::singleShot(0, &answering, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            answers << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!boxes.askYesNo("Kelmar", "?"));
        QCOMPARE(answers, QStringList({"Ja", "Nein"}));
    }

    void startsOnAnEmptyStore() {
        test::HostFileBuilder host;
        host.partName("BRACKET").revisionNumber("B").serialNumber("SN42").fullName("C:\\P\\BRACKET.PRG");
        test::AppFixture f(&host);
        app::frmMainWindow window(*f.process);
        QVERIFY(window.startUp());

        QCOMPARE(window.windowTitle(), QString("Kelmar Version 4.2.6"));
        QVERIFY(window.findChild<QAction*>("menuEnglish")->isChecked());
        QVERIFY(!window.findChild<QAction*>("menuGerman")->isChecked());
        QCOMPARE(window.findChild<QAction*>("Button1")->text(), QString("Online"));
        QCOMPARE(window.findChild<QPushButton*>("cmdCheckOOT")->text(), QString("Check OOT Values"));
        QCOMPARE(labelText(window, "Label1"), std::string("Nominal"));
        QCOMPARE(labelText(window, "lblOrvPartName"), std::string("BRACKET"));
        QCOMPARE(labelText(window, "lblOrvSerNumber"), std::string("SN42"));
        QCOMPARE(labelText(window, "lblOrvFileName"), std::string("C:\\P\\BRACKET.PRG"));

        // The catalog question, a cancelled file dialog, and what the first start stores.
        QCOMPARE(f.messages->shown.size(), size_t(1));
        QVERIFY(f.messages->shown[0].text.find("catalog") != std::string::npos);
        QCOMPARE(f.dialogs->opened, 1);
        const auto& stored = f.settings->values();
        QCOMPARE(stored.at("CatalogPathName"), std::string(""));
        QCOMPARE(stored.at("DimensionNumber"), std::string("false"));
        QCOMPARE(stored.at("DimensionName"), std::string("false"));
        QVERIFY(!stored.count("AxisLetter"));  // the store is not open at the first load
        QVERIFY(!window.findChild<QGroupBox*>("framePathForOutput")->isVisibleTo(&window));
        QCOMPARE(window.height(), 613);
    }

    void endsWhenNoHostOrNoPartProgram() {
        {
            test::AppFixture f(nullptr);
            app::frmMainWindow window(*f.process);
            QVERIFY(!window.startUp());
            QCOMPARE(f.process->exitStatus(), 1);
            QVERIFY(f.messages->shown.back().text.find("'OrvConnect1'") != std::string::npos);
        }
        test::HostFileBuilder host;
        host.noPartProgram();
        test::AppFixture f(&host);
        app::frmMainWindow window(*f.process);
        QVERIFY(!window.startUp());
        QVERIFY(f.process->ending());
        QVERIFY(f.messages->shown.back().text.find("'OrvConnect2'") != std::string::npos);
    }

    void reportsBlankAndUnreadablePartInformationAndOddVersions() {
        test::HostFileBuilder host;
        host.partName("   ").error("activePartProgram.serialNumber", "gone").versions(5, 1);
        test::AppFixture f(&host);
        f.settings->write("CatalogPathName", "/x/MyCatalog.dfd");
        app::frmMainWindow window(*f.process);
        QVERIFY(window.startUp());
        auto texts = f.messages->texts();
        QCOMPARE(texts.size(), size_t(4));
        QVERIFY(texts[0].find("5.1") != std::string::npos);  // the version warning names the version
        QVERIFY(texts[1].find("K1002 ") != std::string::npos);
        QVERIFY(texts[1].find("'GetPartName'") != std::string::npos);
        // An unreadable serial number: the empty-value box first, then the read error.
        QVERIFY(texts[2].find("K1001 ") != std::string::npos);
        QVERIFY(texts[3].find("'GetSerialNumber'.") != std::string::npos);
        QCOMPARE(labelText(window, "lblOrvPartName"), std::string(""));
    }

    void showsTheSelectedCharacteristicAndChecksRows() {
        test::HostFileBuilder host;
        test::AppFixture f(&host);
        f.settings->write("CatalogPathName", "/x/MyCatalog.dfd");
        app::frmMainWindow window(*f.process);
        QVERIFY(window.startUp());
        auto& run = f.process->state.run;
        addCharacteristic(run, window, "DIM1.D", 0.0);
        addCharacteristic(run, window, "DIM2.X", 0.012);
        addCharacteristic(run, window, "DIM3.Y", 0.0);
        // The rows reach the view at the next turn of the event loop, the newest one selected.
        QCOMPARE(window.findChild<QAbstractItemView*>("lstMM")->model()->rowCount(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(window.findChild<QAbstractItemView*>("lstMM")->model()->rowCount(), 3);
        int block = *run.appendCommentBlock();
        run.CommentTable[block][1] = "one";
        run.CommentTable[block][2] = "two";
        run.CommentTable[block][3] = "three";
        run.CharacteristicTable[2].CommentBlockIndex = static_cast<std::int16_t>(block);
        run.CharacteristicTable[2].Attribute = "0";

        window.showCharacteristic(1);
        QCOMPARE(window.findChild<QListWidget*>("VListComment")->count(), 3);
        QVERIFY(window.findChild<QCheckBox*>("chkMarked")->isChecked());
        QCOMPARE(window.findChild<QLabel*>("lblOOT")->palette().color(QPalette::Window), QColor(255, 0, 0));
        window.showCharacteristic(0);
        QCOMPARE(window.findChild<QListWidget*>("VListComment")->count(), 0);
        QCOMPARE(window.findChild<QLabel*>("lblOOT")->palette().color(QPalette::Window), QColor(0, 255, 0));

        f.messages->shown.clear();
        window.findChild<QPushButton*>("cmdCheckOOT")->click();
        QVERIFY(!window.listModel().isChecked(0));
        QVERIFY(window.listModel().isChecked(1));
        QCOMPARE(f.messages->texts().back(), std::string("1 Characteristics are out of tolerance."));
        window.findChild<QPushButton*>("cmdCheckOK")->click();
        QVERIFY(window.listModel().isChecked(0) && !window.listModel().isChecked(1) && window.listModel().isChecked(2));
        window.findChild<QPushButton*>("cmdClearList")->click();
        QVERIFY(!window.listModel().isChecked(0) && !window.listModel().isChecked(2));
        window.findChild<QPushButton*>("cmdCheckList")->click();
        QVERIFY(window.listModel().isChecked(1));
        QCOMPARE(window.findChild<QAbstractItemView*>("lstMM")->currentIndex().row(), 2);
        // The out-of-tolerance row is marked in the list itself, with its legend in the status bar.
        auto* model = window.findChild<QAbstractItemView*>("lstMM")->model();
        QCOMPARE(model->index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
                 app::CharacteristicListModel::outOfToleranceColour());
        QVERIFY(!model->index(1, 0).data(Qt::DecorationRole).isNull());
        QVERIFY(model->index(0, 0).data(Qt::BackgroundRole).isNull() && model->index(2, 0).data(Qt::DecorationRole).isNull());
        QCOMPARE(labelText(window, "lblOutOfToleranceLegend"), std::string("Red rows are out of tolerance"));
    }

    void languageChangeSwitchesFileTextsAndMark() {
        test::HostFileBuilder host;
        test::AppFixture f(&host);
        f.settings->write("CatalogPathName", "/x/MyCatalog.dfd");
        app::frmMainWindow window(*f.process);
        QVERIFY(window.startUp());
        window.findChild<QAction*>("menuGerman")->trigger();
        QVERIFY(window.findChild<QAction*>("menuGerman")->isChecked());
        QVERIFY(!window.findChild<QAction*>("menuEnglish")->isChecked());
        QCOMPARE(f.settings->values().at("Language"), std::string("2"));
        QCOMPARE(f.settings->values().at("AxisLetter"), std::string("0"));
        QCOMPARE(f.home.read("Languages/resource.dll"), f.home.read("Languages/German.dll"));
        QVERIFY(labelText(window, "Label1") != "Nominal");
        // Every menu entry has an access key of its own in the new language too; the main
        // actions keep their shortcuts, named in their tooltips.
        for (QAction* menu : window.menuBar()->actions()) {
            QVERIFY2(menu->text().contains('&'), qPrintable(menu->text()));
            for (QAction* entry : menu->menu()->actions())
                QVERIFY2(entry->isSeparator() || entry->text().contains('&'), qPrintable(entry->text()));
        }
        QVERIFY(window.findChild<QAction*>("Button3")->toolTip().endsWith("(F6)"));
        QCOMPARE(window.findChild<QAction*>("Button5")->shortcut(), QKeySequence(Qt::Key_F7));

        // A language whose file is missing: texts stay, but the mark and the number change.
        QFile::remove(QString::fromStdString(f.home.file("Languages/Czech.dll")));
        window.findChild<QAction*>("menuCzech")->trigger();
        QVERIFY(window.findChild<QAction*>("menuCzech")->isChecked());
        QCOMPARE(f.settings->values().at("Language"), std::string("5"));
        QCOMPARE(f.home.read("Languages/resource.dll"), f.home.read("Languages/German.dll"));
    }

    void pathDialogFillsTheOutputPathAndCancelKeepsIt() {
        test::HostFileBuilder host;
        test::AppFixture f(&host);
        f.settings->write("CatalogPathName", "/x/MyCatalog.dfd");
        f.settings->write("SelectFolder", "true");
        f.settings->write("LastSelectedPath", "/no/such/folder");
        app::frmMainWindow window(*f.process);
        QVERIFY(window.startUp());
        QCOMPARE(window.height(), 667);
        QCOMPARE(window.outputPath(), std::string("/no/such/folder"));

        auto open = [&] {
            return new dialogs::frmPathSelect(
                *f.process, window, [&] { return window.outputPath(); },
                [&](const std::string& p) { window.setOutputPath(p); });
        };
        auto* dialog = open();
        QCOMPARE(dialog->currentFolder(), f.home.path());  // a vanished folder falls back
        dialog->findChild<QPushButton*>("cmdOK")->click();
        QCOMPARE(window.outputPath(), f.home.path());
        QCOMPARE(f.settings->values().at("LastSelectedPath"), f.home.path());

        // Cancel, or Escape, leaves the path as it was, whatever folder was picked meanwhile.
        for (bool escape : {false, true}) {
            dialog = open();
            dialog->open();
            dialog->setFolder(f.home.file("Catalogs"));
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->findChild<QPushButton*>("cmdCancel")->click();
            QCOMPARE(window.outputPath(), f.home.path());
            QCOMPARE(f.settings->values().at("LastSelectedPath"), f.home.path());
            QVERIFY(window.isVisible());
        }
    }
    void longTextsShortenAndTheWindowStaysInsideTheScreen() {
        const std::string longWords =
            " and then a description far longer than any window was designed for, which goes on and on";
        test::StartedWindow w({.numberedTexts = true, .textSuffix = longWords});
        auto line = [&](int n) { return "Line " + QString::number(n) + QString::fromStdString(longWords); };
        // Fitted again with the output frame, the texts that came after start-up long too.
        w.window.showOutputFrame(true);
        w.window.setOutputPath("/srv/results" + longWords + longWords + "/and/deeper/still");
        w.window.setStatusText(2, "Line 238" + longWords);
        w.window.showOnline(true);  // the toolbar buttons take the action's texts again
        QCoreApplication::processEvents();

        const QRect screen = w.window.screen()->availableGeometry();
        QVERIFY(screen.contains(w.window.frameGeometry()));
        const QSize frame = w.window.frameGeometry().size() - w.window.size();
        QCOMPARE(w.window.size(), QSize(820, 667).boundedTo(screen.size() - frame));
        auto* toolbar = w.window.findChild<QToolBar*>("Toolbar1");
        for (const char* name : {"Button1", "Button3", "Button5", "Button7"}) {
            auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(w.window.findChild<QAction*>(name)));
            QVERIFY2(button->isVisible() && toolbar->rect().contains(button->geometry()), name);
        }
        auto* online = qobject_cast<QToolButton*>(toolbar->widgetForAction(w.window.findChild<QAction*>("Button1")));
        QVERIFY(online->text().endsWith(QChar(0x2026)));
        QCOMPARE(online->toolTip(), line(196) + "\n" + line(197) + " (F5)");
        QCOMPARE(w.window.findChild<QLabel*>("Panel1")->text(), line(231));

        w.window.grab();  // paints, as a person would see it
        QVERIFY(test::shortenedTexts(w.window) > 20);
        QCOMPARE(w.window.findChild<QLabel*>("Panel1")->toolTip(), line(231) + "\n" + line(232));
        QCOMPARE(w.window.findChild<QLabel*>("lblPath")->toolTip(), w.window.findChild<QLabel*>("lblPath")->text());
        // Display only, though it can show its tooltip.
        auto* marked = w.window.findChild<QCheckBox*>("chkMarked");
        QTest::mouseClick(marked, Qt::LeftButton);
        QVERIFY(!marked->isChecked());
    }
};

QTEST_MAIN(MainWindowTest)
#include "frm_main_window_test.moc"
