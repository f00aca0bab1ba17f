// The field description dialog and QDAS_Settings.cfg.

#include "dialogs/frm_qdas_field_description.h"
#include "started_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>

using namespace kelmar;
using test::child;
using test::textOf;

namespace {

dialogs::frmQdasFieldDescription* openDescriptions(test::StartedWindow& w) {
    auto* dialog = new dialogs::frmQdasFieldDescription(*w.f.process, w.window);
    dialog->open();
    return dialog;
}

QLineEdit* box(QWidget* dialog, const std::string& key) { return child<QLineEdit>(dialog, ("txt" + key).c_str()); }

std::map<std::string, QString> shown(QWidget* dialog) {
    std::map<std::string, QString> texts;
    for (const auto& field : settings::kFieldDescriptions) texts[field.key] = box(dialog, field.key)->text();
    return texts;
}

void click(QWidget* dialog, const char* button) { child<QPushButton>(dialog, button)->click(); }

}  // namespace

class FieldDescriptionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsAreShownStoredAndComeBackForEmptiedTexts() {
        test::StartedWindow w;
        auto* dialog = openDescriptions(w);
        for (const auto& field : settings::kFieldDescriptions)
            QCOMPARE(box(dialog, field.key)->text(), QString(field.defaultText));
        box(dialog, "K0010")->clear();
        click(dialog, "cmdOK");
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.stored().at("TXTK2402"), std::string("Gage description"));
        QCOMPARE(w.stored().at("TXTK0010"), std::string(""));
        QCOMPARE(box(openDescriptions(w), "K0010")->text(), QString("Machine number"));
    }

    void exportThenImportRestoresTextsWithCommas() {
        test::StartedWindow w;
        auto before = w.stored();
        auto* dialog = openDescriptions(w);
        for (const auto& field : settings::kFieldDescriptions)
            box(dialog, field.key)->setText(QString("%1, the plant's own, \xC3\xA4").arg(field.key));
        auto exported = shown(dialog);
        click(dialog, "cmdSave");
        QVERIFY(w.f.home.read("QDAS_Settings.cfg").find("\"K0011, the plant's own, \xE4\"\r\n") != std::string::npos);
        for (const auto& field : settings::kFieldDescriptions) box(dialog, field.key)->setText("changed");
        click(dialog, "cmdLoad");
        QCOMPARE(shown(dialog), exported);
        click(dialog, "cmdCancel");
        QCOMPARE(w.stored(), before);  // only OK stores
    }

    void shortMissingAndBrokenFilesFillOnlyWhatTheyHold() {
        test::StartedWindow w;
        auto* dialog = openDescriptions(w);
        auto expected = shown(dialog);
        click(dialog, "cmdLoad");  // no file yet
        QCOMPARE(shown(dialog), expected);
        // Line 3 holds two items; the fifth item holds a control byte, so its box keeps its text.
        w.f.home.write("QDAS_Settings.cfg", "\"A\"\r\n\"Nest, left\"\r\n\"C\",\"D\"\r\n\"E\x01\"\r\n\"F\"\r\n");
        click(dialog, "cmdLoad");
        expected["K0006"] = "A";
        expected["K0007"] = "Nest, left";
        expected["K0008"] = "C";
        expected["K0009"] = "D";
        expected["K0012"] = "F";
        QCOMPARE(shown(dialog), expected);
        QVERIFY(w.f.messages->shown.empty());
    }

    void withoutRightsNothingIsStored() {
        test::StartedWindow w({.admin = false});
        auto before = w.stored();
        auto* dialog = openDescriptions(w);
        box(dialog, "K0006")->setText("Lot");
        click(dialog, "cmdOK");
        QCOMPARE(w.stored(), before);
        QVERIFY(test::toldNoRights(w));
        QVERIFY(w.window.isVisible());
    }

    void captionsComeFromTheLanguageLines() {
        test::StartedWindow w({.numberedTexts = true});
        auto* dialog = openDescriptions(w);
        QCOMPARE(dialog->windowTitle(), QString("Line 170"));
        QCOMPARE(textOf(dialog, "cmdOK") + textOf(dialog, "cmdLoad"), QString("Line 171Line 174"));
        QCOMPARE(child<QGroupBox>(dialog, "frame1")->title(), QString("Line 175"));
    }
};

QTEST_MAIN(FieldDescriptionDialogTest)
#include "field_description_dialog_test.moc"
