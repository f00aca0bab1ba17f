#include "dialogs/frm_dateneingabe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <map>

#include "dialogs/data_entry_fixture.h"
#include "platform/file_system.h"

using namespace kelmar;
using dialogs::DataEntryForm;
using dialogs::frm_Dateneingabe;

namespace {

template <class W>
W* child(QWidget& window, const char* name) {
    auto* found = window.findChild<W*>(QString::fromUtf8(name));
    if (!found) qFatal("control %s is missing", name);
    return found;
}

QComboBox* combo(QWidget& w, const char* name) { return child<QComboBox>(w, name); }
QLineEdit* edit(QWidget& w, const char* name) { return child<QLineEdit>(w, name); }
QListWidget* list(QWidget& w, const char* name) { return child<QListWidget>(w, name); }
void click(QWidget& w, const char* name) { child<QPushButton>(w, name)->click(); }

std::vector<std::string> items(QComboBox* c) {
    std::vector<std::string> texts;
    for (int i = 0; i < c->count(); ++i) texts.push_back(c->itemText(i).toStdString());
    return texts;
}

std::vector<std::string> items(QListWidget* l) {
    std::vector<std::string> texts;
    for (int i = 0; i < l->count(); ++i) texts.push_back(l->item(i)->text().toStdString());
    return texts;
}

std::vector<int> selected(QListWidget* l) {
    std::vector<int> rows;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->isSelected()) rows.push_back(i);
    return rows;
}

// A saved file of 24 lines (or count), the given 1-based lines filled, the others empty.
std::string savedFile(const std::map<int, std::string>& lines, int count = 24) {
    std::string file;
    for (int n = 1; n <= count; ++n) file += (lines.count(n) ? lines.at(n) : std::string()) + "\r\n";
    return file;
}

// The form's choices a test makes before OK or Save Data.
void fillEveryControl(QWidget& form) {
    list(form, "lstKatalog")->setCurrentRow(1);  // group 5: events 3 and 1
    list(form, "lstEvents")->item(0)->setSelected(true);
    list(form, "lstEvents")->item(1)->setSelected(true);
    edit(form, "txtCharge")->setText("123");
    combo(form, "comboNest")->setCurrentIndex(1);
    combo(form, "comboPruefer")->setCurrentIndex(0);
    edit(form, "txtText")->setText("free text");
    combo(form, "comboMaschine")->setCurrentIndex(1);
    combo(form, "comboPrüfmittel")->setCurrentIndex(0);
    edit(form, "txtAuftrag_2")->setText("ORD-1");
    edit(form, "txtTeilenummerK")->setText("PN-7");
    combo(form, "comboDokumentation")->setCurrentIndex(1);
    edit(form, "txtVariante")->setText("V2");
    edit(form, "txtAbteilung")->setText("QA");
    edit(form, "txtWerk")->setText("Plant 1");
    combo(form, "ComboMMKlasse")->setCurrentIndex(2);
    edit(form, "txtPrüfmittelaufl")->setText("0.001");
    edit(form, "txtK1203")->setText("Audit");
    edit(form, "txtK1900")->setText("Remark");
    edit(form, "txtK1053")->setText("C-9");
    combo(form, "ComboK2320")->setCurrentIndex(0);
    combo(form, "ComboK2401")->setCurrentIndex(1);
    combo(form, "ComboK2402")->setCurrentIndex(2);
    combo(form, "ComboK1209")->setCurrentIndex(2);
    child<QLabel>(form, "lblProcessParameter")->setText("[1 2]");
}

}  // namespace

class DataEntryFormTest : public QObject {
    Q_OBJECT

private slots:
    void loadsListsCaptionsAndReportsMissingValueFiles() {
        test::DataEntryFixture f({"K2401", "K2402"});
        f.set("TXTK0008", "Checked by");
        f.set("TXTK0011", "Params");
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();

        QCOMPARE(f.messages().texts(),
                 (std::vector<std::string>{"File K2320.dat did not exist.", "File K2005.dat did not exist.",
                                           "File K1209.dat did not exist."}));
        for (const auto& shown : f.messages().shown) QVERIFY(shown.kind == platform::MessageKind::Information);
        QCOMPARE(items(combo(form, "comboMaschine")),
                 (std::vector<std::string>{"Mill 3  Bay 2  (12)", "Lathe  Bay 1  (7)"}));
        QCOMPARE(items(combo(form, "comboPrüfmittel")), std::vector<std::string>{"Caliper  MG-1  (4)"});
        QCOMPARE(items(combo(form, "ComboMMKlasse")),
                 (std::vector<std::string>{"unimportant", "little important", "important", "significant", "critical"}));
        QCOMPARE(items(combo(form, "ComboK2401")).size(), size_t(3));
        QCOMPARE(combo(form, "ComboK2320")->count(), 0);
        for (const char* name : {"comboMaschine", "comboNest", "ComboMMKlasse", "ComboK2401", "comboDokumentation"})
            QCOMPARE(combo(form, name)->currentIndex(), -1);
        QCOMPARE(items(list(form, "lstKatalog")), (std::vector<std::string>{"0  All events", "5  Tool", "7  Machine"}));
        QCOMPARE(form.eventGroupEntries(), (std::vector<std::string>{"0  All events", "5  Tool", "7  Machine"}));
        QCOMPARE(form.selectedEventGroup(), -1);
        QCOMPARE(list(form, "lstEvents")->count(), 6);

        // Captions: the user's descriptions, the design text where there is none, the language lines.
        QCOMPARE(child<QLabel>(form, "lblK0008")->text(), QString("Checked by"));
        QCOMPARE(child<QLabel>(form, "lblK0006")->text(), QString("Part Serial Number"));
        QCOMPARE(child<QGroupBox>(form, "frameK00011")->title(), QString("K0011/0 Params"));
        QCOMPARE(form.windowTitle(), QString("Input Dialog for Q-DAS Data"));
        QCOMPARE(child<QGroupBox>(form, "Frame2")->title(), QString("Events"));
        QCOMPARE(child<QLabel>(form, "lblK2404")->text(), QString("Gage Resolution"));
        QCOMPARE(child<QPushButton>(form, "cmdSaveData")->text(), QString("Save Data"));
        QCOMPARE(child<QCheckBox>(form, "chkFirstPart")->text(), QString(" Reworked part"));
        QCOMPARE(items(combo(form, "comboDokumentation")), (std::vector<std::string>{"No", "Yes"}));
        QCOMPARE(child<QLabel>(form, "LabelK0053")->text(), QString("K0053"));

        // First opening on an empty store: QDV and UseCFG are written; no saved file, so the form waits.
        QCOMPARE(f.store().values().at("QDV"), std::string("true"));
        QCOMPARE(f.store().values().at("UseCFG"), std::string("1"));
        QVERIFY(form.isVisible());
        QVERIFY(!f.mainWindow.isVisible());
    }

    void okWritesEachFieldByItsRule() {
        test::DataEntryFixture f;
        f.process().state.minimise = true;  // as switching online sets it from Minimize
        auto& part = f.part();
        part.fields[capture::field::K0008] = "TRACE";  // from a trace field: kept
        part.fields[capture::field::K0007] = "9";      // overwritten every time
        part.fields[capture::field::K1021] = "untouched";
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        fillEveryControl(form);
        combo(form, "comboMaschine")->setCurrentIndex(-1);  // nothing chosen: "0"
        child<QCheckBox>(form, "chkFirstPart")->setChecked(true);
        click(form, "cmdOK");

        using namespace capture::field;
        const std::map<int, std::string> expected = {
            {K0005, "3,1"},         {K0006, "#123"},      {K0007, "2"},         {K0008, "TRACE"},
            {K0009, "free text"},   {K0010, "0"},         {K0011, "[1 2]"},     {K0012, "4"},
            {K0053, "ORD-1"},       {K1007, "PN-7"},      {K1010, "1"},         {K1011, "V2"},
            {K1021, "untouched"},   {K1053, "C-9"},       {K1101, "QA"},        {K1203, "Audit"},
            {K1209, "K1209 three"}, {K1303, "Plant 1"},   {K1900, "Remark"},    {K2005, "2"},
            {K2060, "5"},           {K2320, "K2320 one"}, {K2401, "K2401 two"}, {K2402, "K2402 three"},
            {K2404, "0.001"}};
        for (const auto& [index, value] : expected) QCOMPARE(part.fields[index], value);
        QVERIFY(f.process().state.run.ReworkedPartFlag);
        QVERIFY(form.unloaded());
        QVERIFY(!holder.current());
        QVERIFY(f.mainWindow.isVisible());
        QVERIFY(f.mainWindow.windowState() & Qt::WindowMinimized);
        QVERIFY(f.messages().shown.empty());

        // A second OK: blanks and nothing chosen.
        part.fields[capture::field::K0012] = "";
        holder.open();
        frm_Dateneingabe& again = *holder.current();
        edit(again, "txtCharge")->setText("   ");
        combo(again, "ComboMMKlasse")->setCurrentIndex(0);
        combo(again, "comboPrüfmittel")->setCurrentIndex(0);
        click(again, "cmdOK");
        const std::map<int, std::string> blank = {{K0005, ""},  {K0006, ""}, {K0007, "0"}, {K0008, "TRACE"},
                                                  {K0012, "4"}, {K1010, ""}, {K2005, "0"}, {K2060, ""}};
        for (const auto& [index, value] : blank) QCOMPARE(part.fields[index], value);
    }

    void okNeedsACharacteristicClassOnlyWhileItIsOffered() {
        test::DataEntryFixture f;
        auto& part = f.part();
        {
            DataEntryForm holder(f.process(), f.mainWindow);
            holder.open();
            edit(*holder.current(), "txtAbteilung")->setText("QA");
            click(*holder.current(), "cmdOK");
            QCOMPARE(f.messages().texts(),
                     std::vector<std::string>{
                         "Before closing the dialog, you need to select a default characteristic class (K2005/0)."});
            QVERIFY(f.messages().shown[0].kind == platform::MessageKind::Error);
            QVERIFY(holder.current() && holder.current()->isVisible());
            QCOMPARE(part.fields[capture::field::K1101], std::string(""));
        }
        f.setFlag("K2005", "0");
        part.fields[capture::field::K2005] = "3";
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        click(*holder.current(), "cmdOK");
        QVERIFY(!holder.current());
        QCOMPARE(part.fields[capture::field::K2005], std::string("3"));
    }

    void typedValuesObeyTheLimitsOfPartProgramValues() {
        test::DataEntryFixture f;
        const std::string gage(45, 'G');
        f.home().write("Test/Values/K2401.dat", gage + "\r\n");
        auto& part = f.part();
        part.fields[capture::field::K1053] = "FROM TRACE";  // kept, so its length is never told
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        fillEveryControl(form);
        edit(form, "txtCharge")->setText("  SN-0123456789ABCDEF  ");
        edit(form, "txtAbteilung")->setText("  spaced text  ");
        edit(form, "txtAuftrag_2")->setText(std::string(25, 'O').c_str());
        edit(form, "txtK1053")->setText(std::string(60, 'C').c_str());
        combo(form, "ComboK2401")->setCurrentIndex(0);
        edit(form, "txtPrüfmittelaufl")->setText("abc");
        click(form, "cmdOK");
        // Not a number: told, the form stays and nothing is stored.
        QCOMPARE(f.messages().texts(),
                 std::vector<std::string>{"Before closing the dialog, you need to enter the gage resolution (K2404) "
                                          "as a number, for example 0.001."});
        QVERIFY(f.messages().shown[0].kind == platform::MessageKind::Error);
        QVERIFY(holder.current() && form.isVisible());
        QCOMPARE(part.fields[capture::field::K0053], std::string(""));

        f.messages().shown.clear();
        edit(form, "txtPrüfmittelaufl")->setText(" 0.005 ");
        click(form, "cmdOK");
        QVERIFY(!holder.current());
        QCOMPARE(f.messages().texts(),
                 (std::vector<std::string>{
                     "The value of K0053 in the form uses more then 20 characters. The string will be cut to 20 "
                     "characters.",
                     "The value of K0006 in the form uses more then 13 characters. The string will be cut to 13 "
                     "characters.",
                     "The value of K2401 in the form uses more then 40 characters. The string will be cut to 40 "
                     "characters."}));
        for (const auto& shown : f.messages().shown) QVERIFY(shown.kind == platform::MessageKind::Information);
        // Typed values keep their blanks; "#" and K0006 together keep its limit of 14.
        QCOMPARE(part.fields[capture::field::K0006], std::string("#  SN-01234567"));
        QCOMPARE(part.fields[capture::field::K1101], std::string("  spaced text  "));
        QCOMPARE(part.fields[capture::field::K0053], std::string(20, 'O'));
        QCOMPARE(part.fields[capture::field::K2401], std::string(40, 'G'));
        QCOMPARE(part.fields[capture::field::K1053], std::string("FROM TRACE"));
        QCOMPARE(part.fields[capture::field::K2404], std::string(" 0.005 "));
        QCOMPARE(part.fields[capture::field::K1203], std::string("Audit"));
    }

    void disabledFieldsAndFramesAreNotWritten() {
        test::DataEntryFixture f;
        f.setFlag("K0010", "0");
        f.setFlag("K0011", "0");
        f.setFlag("K1900", "1");
        f.set("UseFolders", "0");
        auto& part = f.part();
        part.fields[capture::field::K0010] = "77";
        part.fields[capture::field::K0011] = "[9 9]";
        f.process().state.run.ReworkedPartFlag = true;
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        for (const char* name : {"LabelK0010", "lblK0010", "comboMaschine", "lblProcessParameter", "cmdK0011"})
            QVERIFY2(!child<QWidget>(form, name)->isEnabled(), name);
        QVERIFY(child<QWidget>(form, "txtK1900")->isEnabled());
        QVERIFY(!child<QWidget>(form, "Frame1")->isEnabled());
        QVERIFY(!child<QCheckBox>(form, "chkFirstPart")->isEnabled());
        fillEveryControl(form);
        click(form, "cmdOK");
        QCOMPARE(part.fields[capture::field::K0010], std::string("77"));
        QCOMPARE(part.fields[capture::field::K0011], std::string("[9 9]"));
        QCOMPARE(part.fields[capture::field::K1900], std::string("Remark"));
        QVERIFY(f.process().state.run.ReworkedPartFlag);  // the box was off: the flag keeps its value
    }

    void saveThenReopenRestoresEveryControl() {
        test::DataEntryFixture f;
        {
            DataEntryForm holder(f.process(), f.mainWindow);
            holder.open();
            fillEveryControl(*holder.current());
            click(*holder.current(), "cmdSaveData");
        }
        QVERIFY(f.messages().shown.empty());
        auto lines = platform::splitLines(f.home().read("PartData/Default.cfg"));
        QCOMPARE(lines.size(), size_t(24));
        QCOMPARE(lines[0], std::string("1"));
        QCOMPARE(lines[1], std::string("0,1"));
        QCOMPARE(lines[2], std::string("123"));
        QCOMPARE(lines[22], std::string("[1 2]"));
        QCOMPARE(lines[23], std::string("2"));

        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        QCOMPARE(form.selectedEventGroup(), 1);
        QCOMPARE(items(list(form, "lstEvents")),
                 (std::vector<std::string>{"Breakage  replaced  (3)", "Tool change  insert  (1)"}));
        QCOMPARE(selected(list(form, "lstEvents")), (std::vector<int>{0, 1}));
        QCOMPARE(edit(form, "txtPrüfmittelaufl")->text(), QString("0.001"));
        QCOMPARE(edit(form, "txtAuftrag_2")->text(), QString("ORD-1"));
        QCOMPARE(combo(form, "comboNest")->currentIndex(), 1);
        QCOMPARE(combo(form, "ComboK2402")->currentIndex(), 2);
        QCOMPARE(combo(form, "comboDokumentation")->currentIndex(), 1);
        QCOMPARE(form.processParameter(), std::string("[1 2]"));
    }

    void onePerPartProgramWithQdvOff() {
        test::HostFileBuilder host;
        host.partName("BR/ACKET").revisionNumber("B");
        test::DataEntryFixture f({"K2320", "K2401", "K2402", "K2005", "K1209"}, host);
        f.set("QDV", "0");
        f.home().write("PartData/Default.cfg", savedFile({{3, "from default"}}));
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        QCOMPARE(child<QPushButton>(form, "cmdSaveData")->text(), QString("Save Part Data"));
        QCOMPARE(edit(form, "txtCharge")->text(), QString(""));
        edit(form, "txtCharge")->setText("per part");
        click(form, "cmdSaveData");
        // The part name's separator stays out of the path.
        QVERIFY(f.home().exists("PartData/BR_ACKET__B.cfg"));
        QCOMPARE(platform::splitLines(f.home().read("PartData/BR_ACKET__B.cfg"))[2], std::string("per part"));
        QCOMPARE(f.store().values().at("QDV"), std::string("0"));
    }

    void savedGroupAndEventLinesThenGroupClicks() {
        test::DataEntryFixture f;
        // Line 1 empty: the first group, which lists every event; line 2 picks the first, fourth and sixth.
        f.home().write("PartData/Default.cfg", savedFile({{1, ""}, {2, "0,3,5"}}));
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        QListWidget* events = list(form, "lstEvents");
        QCOMPARE(form.selectedEventGroup(), 0);
        QCOMPARE(events->count(), 6);
        QCOMPARE(selected(events), (std::vector<int>{0, 3, 5}));
        click(form, "cmdClearList");
        QVERIFY(selected(events).empty());
        QCOMPARE(events->count(), 6);
        QCOMPARE(form.selectedEventGroup(), 0);
        // Another group: its events in the group's order, not the catalog's.
        list(form, "lstKatalog")->setCurrentRow(1);
        QCOMPARE(items(events), (std::vector<std::string>{"Breakage  replaced  (3)", "Tool change  insert  (1)"}));
    }

    void useCfgOffLeavesTheSavedFileUnread() {
        test::DataEntryFixture f;
        f.set("UseCFG", "0");
        f.home().write("PartData/Default.cfg", savedFile({{3, "SN"}, {15, "1"}}));
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        QCOMPARE(edit(*holder.current(), "txtCharge")->text(), QString(""));
        QCOMPARE(combo(*holder.current(), "ComboMMKlasse")->currentIndex(), -1);
        QCOMPARE(f.store().values().at("UseCFG"), std::string("0"));
    }

    void confirmsItselfUnderIOnlyWithAReadableFile() {
        {
            test::DataEntryFixture f;
            f.process().state.args.set(1, "i");
            f.home().write("PartData/Default.cfg", savedFile({{3, "SN"}, {15, "2"}}));
            DataEntryForm holder(f.process(), f.mainWindow);
            holder.open();
            QVERIFY(!holder.current());
            QCOMPARE(f.part().fields[capture::field::K0006], std::string("#SN"));
            QCOMPARE(f.part().fields[capture::field::K2005], std::string("2"));
            QVERIFY(f.mainWindow.isVisible());
            QVERIFY(f.messages().shown.empty());
        }
        test::DataEntryFixture f;
        f.process().state.args.set(1, "I");
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        QVERIFY(holder.current() && holder.current()->isVisible());
        QCOMPARE(f.part().fields[capture::field::K2005], std::string(""));
    }

    void badSavedFilesNeverMoveAValueToAnotherControl() {
        const std::string huge(200000, 'x');
        const std::string binary("\0\x01\xFF\r\xFE\n\x80", 7);
        const std::string damaged = binary + binary + binary;
        using Check = std::function<void(frm_Dateneingabe&)>;
        const std::pair<std::string, Check> cases[] = {
            // Positions beyond the lists or no numbers: those lines alone are ignored.
            {savedFile({{1, "2"}, {2, "0,99,-1,x,1"}, {3, "SN"}, {4, "99"}, {5, "1"}, {7, "abc"}, {15, "-5"}}),
             [](frm_Dateneingabe& form) {
                 QCOMPARE(form.selectedEventGroup(), 2);  // group 7 has one event
                 QCOMPARE(selected(list(form, "lstEvents")), std::vector<int>{0});
                 QCOMPARE(edit(form, "txtCharge")->text(), QString("SN"));
                 QCOMPARE(combo(form, "comboNest")->currentIndex(), -1);
                 QCOMPARE(combo(form, "comboPruefer")->currentIndex(), 1);
                 QCOMPARE(combo(form, "comboMaschine")->currentIndex(), -1);
                 QCOMPARE(combo(form, "ComboMMKlasse")->currentIndex(), -1);
             }},
            // Short: the lines it has, nothing shifted; no such group 7.
            {savedFile({{1, "7"}, {3, "short"}}, 3),
             [](frm_Dateneingabe& form) {
                 QCOMPARE(form.selectedEventGroup(), -1);
                 QCOMPARE(edit(form, "txtCharge")->text(), QString("short"));
                 QCOMPARE(form.processParameter(), std::string("[]"));
             }},
            // Long, with a huge text line.
            {savedFile({{3, huge}, {24, "0"}}) + "9\r\n9\r\n" + huge + "\r\n",
             [](frm_Dateneingabe& form) {
                 QCOMPARE(combo(form, "ComboK1209")->currentIndex(), 0);
                 QVERIFY(edit(form, "txtCharge")->text().startsWith("xxx"));
             }},
            // Bytes no saved file holds: the file is damaged, the user told, nothing loaded from it.
            {damaged, [](frm_Dateneingabe& form) { QCOMPARE(form.selectedEventGroup(), -1); }},
            {"", [](frm_Dateneingabe& form) { QCOMPARE(form.processParameter(), std::string("[]")); }},
        };
        for (const auto& [content, check] : cases) {
            test::DataEntryFixture f;
            f.home().write("PartData/Default.cfg", content);
            DataEntryForm holder(f.process(), f.mainWindow);
            holder.open();
            QVERIFY(holder.current()->isVisible());
            QCOMPARE(f.messages().shown.size(), content == damaged ? 1u : 0u);
            check(*holder.current());
        }
    }

    void aMissingCatalogLeavesEmptyListsAndAWorkingForm() {
        test::DataEntryFixture f;
        f.set("CatalogPathName", f.home().file("Test/none.dfd"));
        f.home().write("PartData/Default.cfg", savedFile({{1, "0"}, {2, "0,1"}, {4, "0"}, {15, "1"}}));
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        QCOMPARE(f.messages().shown.size(), size_t(1));
        QVERIFY(f.messages().shown[0].kind == platform::MessageKind::Error);
        QCOMPARE(list(form, "lstKatalog")->count(), 0);
        QCOMPARE(combo(form, "comboNest")->count(), 0);
        QCOMPARE(combo(form, "ComboMMKlasse")->currentIndex(), 1);
        click(form, "cmdOK");
        QCOMPARE(f.part().fields[capture::field::K0005], std::string(""));
        QCOMPARE(f.part().fields[capture::field::K2060], std::string(""));
        QCOMPARE(f.part().fields[capture::field::K0007], std::string("0"));
    }

    void deleteDataClearsTheFormAndKeepsTheFile() {
        test::DataEntryFixture f;
        f.home().write("PartData/Default.cfg", savedFile({{1, "0"}, {2, "1"}, {3, "SN"}, {15, "1"}, {23, "[1 2]"}}));
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        fillEveryControl(form);
        click(form, "cmdDeleteData");
        QCOMPARE(form.selectedEventGroup(), -1);
        QVERIFY(selected(list(form, "lstEvents")).empty());
        for (const char* name : {"txtCharge", "txtText", "txtAuftrag_2", "txtTeilenummerK", "txtVariante",
                                 "txtAbteilung", "txtWerk", "txtPrüfmittelaufl", "txtK1203", "txtK1900", "txtK1053"})
            QVERIFY2(edit(form, name)->text().isEmpty(), name);
        for (const char* name : {"comboNest", "comboPruefer", "comboMaschine", "comboPrüfmittel", "comboDokumentation",
                                 "ComboMMKlasse", "ComboK1209", "ComboK2320", "ComboK2401", "ComboK2402"})
            QVERIFY2(combo(form, name)->currentIndex() == -1, name);
        QCOMPARE(form.processParameter(), std::string("[]"));
        QCOMPARE(platform::splitLines(f.home().read("PartData/Default.cfg"))[2], std::string("SN"));
    }

    void k0011ButtonHandsTheCaptionToTheDialogAndBack() {
        test::DataEntryFixture f;
        f.home().write("PartData/Default.cfg", savedFile({{23, "[3 1,5 2]"}}));
        DataEntryForm holder(f.process(), f.mainWindow);
        holder.open();
        frm_Dateneingabe& form = *holder.current();
        QCOMPARE(form.processParameter(), std::string("[3 1,5 2]"));
        click(form, "cmdK0011");
        dialogs::frmK0011* dialog = form.k0011Dialog();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(!form.isVisible());
        QListWidget* chosen = list(*dialog, "VListK0011");
        QCOMPARE(items(chosen), (std::vector<std::string>{"3 1", "5 2"}));
        chosen->setCurrentRow(0);
        click(*dialog, "cmdDeleteK0011");
        click(*dialog, "cmdOK");
        QCOMPARE(form.processParameter(), std::string("[5 2]"));
        QVERIFY(form.isVisible());
        QVERIFY(!f.mainWindow.isVisible());
    }

    void keepsTheOpenFormAndLoadsAfreshOtherwise() {
        test::DataEntryFixture f;
        DataEntryForm holder(f.process(), f.mainWindow);
        QPointer<frm_Dateneingabe> held = &holder.form();  // the Add Q-DAS data dialog's way: loaded, not shown
        QVERIFY(!held->isVisible());
        holder.open();
        QVERIFY(!held);  // loaded under the texts of its day: replaced
        frm_Dateneingabe& open = *holder.current();
        QVERIFY(open.isVisible());
        holder.open();
        QCOMPARE(holder.current(), &open);
        combo(open, "ComboMMKlasse")->setCurrentIndex(0);
        click(open, "cmdOK");
        QVERIFY(!holder.current());
        holder.open();
        QVERIFY(holder.current() && holder.current() != &open);
        QCOMPARE(combo(*holder.current(), "ComboMMKlasse")->currentIndex(), -1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(DataEntryFormTest)
#include "frm_dateneingabe_test.moc"
