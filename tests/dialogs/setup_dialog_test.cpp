// The output-file setup dialog and its settings file.

#include "dialogs/frm_advanced_settings.h"
#include "dialogs/frm_ausgabedatei_setup.h"
#include "dialogs/setup_dialogs.h"
#include "started_window.h"

#include <QGroupBox>
#include <QPointer>
#include <QtTest>

#include <sstream>

using namespace kelmar;
using test::child;
using test::textOf;

namespace {

const std::vector<const char*> kNameControls = {"comboFileName1", "comboFileName2", "comboFileName3", "comboFileName4",
                                                "comboFileName5", "comboSeperator", "chkFileCounter", "Label3",
                                                "Label4",         "Label5",         "Label6",         "Label7",
                                                "Label8"};
const std::vector<const char*> kFolderControls = {"Drive_Ergebnis", "Dir_Ergebnis", "Label_Verzeichnis"};

dialogs::frm_Ausgabedatei_Setup* openSetup(test::StartedWindow& w) {
    auto* dialog = new dialogs::frm_Ausgabedatei_Setup(*w.f.process, w.window);
    dialog->open();
    return dialog;
}

QRadioButton* fileNameRule(QWidget* dialog, int index) {
    for (auto* option : dialog->findChildren<QRadioButton*>("optFileNameRule"))
        if (option->property("Index").toInt() == index) return option;
    return nullptr;
}

void click(QWidget* dialog, const char* name) { child<QAbstractButton>(dialog, name)->click(); }

bool enabled(QWidget* dialog, const std::vector<const char*>& names, bool on) {
    return std::all_of(names.begin(), names.end(), [&](const char* n) { return child(dialog, n)->isEnabled() == on; });
}

QString entry(QWidget* dialog, const char* list) { return child<QComboBox>(dialog, list)->currentText(); }

// Every control as text, so two states compare in one line.
std::map<QString, QString> controlState(QWidget* dialog) {
    std::map<QString, QString> state;
    for (auto* button : dialog->findChildren<QAbstractButton*>())
        if (button->isCheckable())
            state[button->objectName() + button->property("Index").toString()] = button->isChecked() ? "1" : "0";
    for (auto* list : dialog->findChildren<QComboBox*>()) state[list->objectName()] = list->currentText();
    state["Label_Verzeichnis"] = textOf(dialog, "Label_Verzeichnis");
    return state;
}

// A choice for every setup value, away from the design states.
void storeEverything(test::StartedWindow& w) {
    std::istringstream values(
        "DRIVE=/ PartProgFolder=false FileName1=0 FileName2=0 FileName3=3 FileName4=6 FileName5=2 SEPERATOR=2 "
        "FileCounter=1 SelectFolder=false MultiLine=1 DFD=true DFQ=false UseCFG=0 UseQPos=1 UseFolders=1 "
        "DefaultFolder=true Attribute255=false Attribute256=true AxisLetter=1 QDV=0 Minimize=1 StatCmds=1 "
        "FileNameRule0=true FileNameRule1=false");
    for (std::string value; values >> value;)
        w.f.settings->write(value.substr(0, value.find('=')), value.substr(value.find('=') + 1));
    w.f.settings->write("DIR", w.f.home.path());
}

// Every control away from what storeEverything holds.
void changeEverything(QWidget* dialog) {
    for (auto* box : dialog->findChildren<QCheckBox*>()) box->toggle();
    for (const char* option : {"optSelectedFolder", "optDFQ", "optAttribute255"}) click(dialog, option);
    fileNameRule(dialog, 1)->click();
    for (int i = 1; i <= 5; ++i) {
        auto* list = child<QComboBox>(dialog, ("comboFileName" + std::to_string(i)).c_str());
        list->setCurrentIndex(list->currentIndex() == 1 ? 2 : 1);
    }
    child<QComboBox>(dialog, "comboSeperator")->setCurrentIndex(5);
}

}  // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    void clickRulesGreyAndRestoreTheirControls() {
        test::StartedWindow w;
        auto* dialog = openSetup(w);
        // GM is the design choice, and its rule holds from the start.
        QVERIFY(fileNameRule(dialog, 1)->isChecked() && enabled(dialog, kNameControls, false));
        fileNameRule(dialog, 0)->click();
        QVERIFY(enabled(dialog, kNameControls, true));
        fileNameRule(dialog, 1)->click();
        QVERIFY(enabled(dialog, kNameControls, false));
        QVERIFY(child(dialog, "optDFD")->isEnabled());

        QVERIFY(enabled(dialog, kFolderControls, false));  // no default folder chosen yet
        click(dialog, "optDefaultFolder");
        QVERIFY(enabled(dialog, kFolderControls, true));
        click(dialog, "optOrvPartProgramFolder");
        QVERIFY(enabled(dialog, kFolderControls, false));
        click(dialog, "optDefaultFolder");
        click(dialog, "optSelectedFolder");
        QVERIFY(enabled(dialog, kFolderControls, false));
    }

    void storedListPositionsShowTheirEntries() {
        test::StartedWindow w;
        storeEverything(w);
        w.f.settings->write("FileName5", "9");  // no position of the list: left as designed
        auto* dialog = openSetup(w);
        QCOMPARE(child<QComboBox>(dialog, "comboFileName1")->count(), 6);
        QCOMPARE(child<QComboBox>(dialog, "comboFileName2")->count(), 7);
        QCOMPARE(entry(dialog, "comboFileName1"), QString("Part Name"));
        QCOMPARE(entry(dialog, "comboFileName2"), QString("No Value"));
        QCOMPARE(entry(dialog, "comboFileName3"), QString("Revision Number"));
        QCOMPARE(entry(dialog, "comboFileName4"), QString("Trace 'FileName'"));
        QCOMPARE(child<QComboBox>(dialog, "comboFileName5")->currentIndex(), -1);
        QCOMPARE(entry(dialog, "comboSeperator"), QString("_"));
        // The options ran their click rules as they were loaded.
        QVERIFY(enabled(dialog, kFolderControls, true) && enabled(dialog, kNameControls, true));
        QCOMPARE(textOf(dialog, "Label_Verzeichnis"), QString::fromStdString(w.f.home.path()));
    }

    void cancelAndTheCloseBoxLeaveTheStoreAndShowItAgain() {
        test::StartedWindow w;
        storeEverything(w);
        auto before = w.stored();
        auto* dialog = openSetup(w);
        auto shown = controlState(dialog);
        changeEverything(dialog);
        QVERIFY(controlState(dialog) != shown);
        click(dialog, "CancelButton");
        QCOMPARE(controlState(dialog), shown);  // reloaded from the store
        QVERIFY(w.window.isVisible());
        dialog = openSetup(w);
        QVERIFY(!w.window.isVisible());
        changeEverything(dialog);
        dialog->close();  // the close box
        QCOMPARE(w.stored(), before);
        QCOMPARE(controlState(openSetup(w)), shown);
    }

    void okStoresEveryControlAndSetsUpTheMainWindow() {
        test::StartedWindow w;
        storeEverything(w);
        auto* dialog = openSetup(w);
        changeEverything(dialog);
        auto changed = controlState(dialog);
        click(dialog, "OKButton");
        QCOMPARE(w.stored().at("SelectFolder"), std::string("true"));
        QCOMPARE(w.stored().at("StatCmds"), std::string("0"));
        QCOMPARE(w.stored().at("SEPERATOR"), std::string("5"));
        QCOMPARE(controlState(openSetup(w)), changed);
        // The selected folder shows the path frame, with the program folder while none was chosen.
        click(openSetup(w), "OKButton");
        QVERIFY(w.window.isVisible() && child(&w.window, "framePathForOutput")->isVisible());
        QCOMPARE(w.window.height(), 667);
        QCOMPARE(w.window.outputPath(), w.f.home.path());
        w.f.settings->write("LastSelectedPath", "/srv/last");
        click(openSetup(w), "OKButton");
        QCOMPARE(w.window.outputPath(), std::string("/srv/last"));

        dialog = openSetup(w);
        click(dialog, "optDefaultFolder");
        click(dialog, "OKButton");
        QVERIFY(!child(&w.window, "framePathForOutput")->isVisible());
        QCOMPARE(w.window.height(), 613);
        QCOMPARE(w.window.outputPath(), std::string(""));
        QVERIFY(w.f.messages->shown.empty());
    }

    void okOnAnEmptySetupNamesWhatIsMissingAndStaysOpen() {
        test::StartedWindow w;
        const auto before = w.stored();
        auto* dialog = openSetup(w);
        const std::string format =
            "Before closing the dialog, you need to select a Q-DAS file structure (DFD + DFX or DFQ).";
        const std::string folder = "Before closing the dialog, you need to select a folder for the Q-DAS ASCII files.";
        click(dialog, "OKButton");
        QCOMPARE(w.f.messages->texts(), std::vector<std::string>{format + "\n" + folder});
        QVERIFY(w.f.messages->shown[0].kind == platform::MessageKind::Error);
        click(dialog, "optDFQ");
        click(dialog, "OKButton");
        QCOMPARE(w.f.messages->texts().back(), folder);
        QVERIFY(dialog->isVisible() && !w.window.isVisible());
        QCOMPARE(w.stored(), before);
        click(dialog, "optDefaultFolder");
        click(dialog, "OKButton");
        QVERIFY(!dialog->isVisible() && w.window.isVisible());
        QCOMPARE(w.stored().at("DFQ"), std::string("true"));
    }

    void okWithoutRightsStoresNothingButStillClosesAndAdjusts() {
        test::StartedWindow w({.admin = false});
        auto before = w.stored();
        auto* dialog = openSetup(w);
        changeEverything(dialog);
        click(dialog, "OKButton");
        QCOMPARE(w.stored(), before);
        QVERIFY(test::toldNoRights(w));
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.window.height(), 667);  // changeEverything chose the selected folder
    }

    void exportThenImportRestoresEveryControlButStatCmds() {
        test::StartedWindow w;
        storeEverything(w);
        auto before = w.stored();
        auto* dialog = openSetup(w);
        auto exported = controlState(dialog);
        click(dialog, "cmdExport");
        QVERIFY(w.f.home.exists("OutputFile_Settings.cfg"));
        changeEverything(dialog);
        click(dialog, "cmdImport");
        auto imported = controlState(dialog);
        QCOMPARE(imported["chkStatCmds"], QString("0"));  // changed, and not in the file
        imported.erase("chkStatCmds");
        exported.erase("chkStatCmds");
        QCOMPARE(imported, exported);
        QVERIFY(enabled(dialog, kNameControls, true));  // importing the application rule ran its rule
        QVERIFY(w.f.messages->shown.empty());
        click(dialog, "CancelButton");
        QCOMPARE(w.stored(), before);  // neither button nor Cancel touches the store
    }

    void aFreshExportKeepsOptionsUnselectedAndListsEmpty() {
        test::StartedWindow w;
        auto* dialog = openSetup(w);
        click(dialog, "cmdExport");
        click(dialog, "optDefaultFolder");
        child<QComboBox>(dialog, "comboFileName3")->setCurrentIndex(2);
        click(dialog, "cmdImport");
        QVERIFY(w.f.messages->shown.empty());
        QVERIFY(!child<QRadioButton>(dialog, "optDefaultFolder")->isChecked());
        QCOMPARE(child<QComboBox>(dialog, "comboFileName3")->currentIndex(), -1);
    }

    void importTakesTwentyLineFilesAndRefusesBrokenOnes() {
        test::StartedWindow w;
        storeEverything(w);
        auto* dialog = openSetup(w);
        click(dialog, "cmdExport");
        std::string file = w.f.home.read("OutputFile_Settings.cfg");
        size_t twenty = 0;
        for (int line = 0; line < 20; ++line) twenty = file.find("\r\n", twenty) + 2;
        changeEverything(dialog);
        auto changed = controlState(dialog);
        w.f.home.write("OutputFile_Settings.cfg", file.substr(0, twenty));
        click(dialog, "cmdImport");
        QVERIFY(w.f.messages->shown.empty());
        QCOMPARE(entry(dialog, "comboFileName2"), QString("No Value"));
        QVERIFY(child<QRadioButton>(dialog, "optDefaultFolder")->isChecked());
        // Lines 21 to 25 are missing: their controls stay as they were.
        QVERIFY(fileNameRule(dialog, 1)->isChecked());
        QCOMPARE(controlState(dialog)["chkAxisLetter"], changed["chkAxisLetter"]);

        auto shown = controlState(dialog);
        std::string path = w.f.home.file("OutputFile_Settings.cfg");
        for (const std::string& content : {file.substr(0, twenty - 5), std::string("\"/\"\r\n\"/tmp\"\r\nyes\r\n"),
                                           std::string(3000, '\x01'), std::string()}) {
            w.f.messages->shown.clear();
            w.f.home.write("OutputFile_Settings.cfg", content);
            click(dialog, "cmdImport");
            QCOMPARE(controlState(dialog), shown);
            QCOMPARE(w.f.messages->shown.size(), size_t(1));
            QVERIFY(w.f.messages->shown[0].text.find(path) != std::string::npos);
        }
        QFile::remove(QString::fromStdString(path));
        click(dialog, "cmdImport");
        QVERIFY(w.f.messages->shown.back().text.find(path) != std::string::npos);
        QCOMPARE(controlState(dialog), shown);
    }

    void advancedSettingsHideTheSetupUntilTheyClose() {
        test::StartedWindow w;
        auto* dialog = openSetup(w);
        click(dialog, "cmdAdvancedSettings");
        auto* advanced = dialog->findChild<dialogs::frmAdvancedSettings*>();
        QVERIFY(advanced && advanced->isVisible() && !dialog->isVisible() && !w.window.isVisible());
        click(advanced, "cmdCancel");
        QVERIFY(dialog->isVisible() && !w.window.isVisible());
    }

    void captionsComeFromTheLanguageLines() {
        test::StartedWindow w({.numberedTexts = true});
        auto* dialog = openSetup(w);
        QCOMPARE(dialog->windowTitle(), QString("Line 67"));
        QCOMPARE(textOf(dialog, "cmdImport"), QString("Line 69"));
        QCOMPARE(child<QGroupBox>(dialog, "frameFileName")->title(), QString("Line 76"));
        QCOMPARE(textOf(dialog, "Label1"), QString("Line 80"));
        QCOMPARE(textOf(dialog, "chkFensterMinimieren"), QString("Line 105"));
        // The captions the dialog had fixed take the lines that were read and never shown.
        QCOMPARE(textOf(dialog, "chkStatCmds") + textOf(dialog, "cmdAdvancedSettings"), QString("Line 92Line 91"));
        const auto rules = dialog->findChildren<QRadioButton*>("optFileNameRule");
        QCOMPARE(rules.size(), 2);
        QCOMPARE(rules[0]->text() + rules[1]->text(), QString("Line 93Line 94"));
        auto* second = child<QComboBox>(dialog, "comboFileName2");
        QCOMPARE(second->itemText(0) + second->itemText(1) + second->itemText(6),
                 QString("Line 96Line 90Trace 'FileName'"));
        QCOMPARE(child<QComboBox>(dialog, "comboFileName1")->itemText(4), QString("Line 102"));
    }

    void theMenuEntriesBuildTheirDialogs() {
        test::StartedWindow w;
        for (auto [menu, name] : {std::pair{"menuSetup", "frm_Ausgabedatei_Setup"},
                                  {"menuMonitor", "frm_Ausgabedatei_Monitoring"},
                                  {"menuQdasSettings", "frmQdasFieldDescription"},
                                  {"menuQdasKeySetup", "frmKField"}}) {
            QPointer<dialogs::DialogBase> dialog = dialogs::createSetupDialog(menu, *w.f.process, w.window);
            QVERIFY(dialog && w.window.isVisible());  // built, not yet shown
            QCOMPARE(dialog->objectName(), QString(name));
            dialog->open();
            QVERIFY(!w.window.isVisible());
            dialog->close();
            QVERIFY(w.window.isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!dialog);  // closing disposes of it
        }
        QVERIFY(!dialogs::createSetupDialog("menuAbout", *w.f.process, w.window));
    }
};

QTEST_MAIN(SetupDialogTest)
#include "setup_dialog_test.moc"
