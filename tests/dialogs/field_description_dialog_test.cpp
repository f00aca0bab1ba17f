// The field description dialog and QDAS_Settings.cfg.

#include "dialogs/frm_dateneingabe.h"
#include "dialogs/frm_qdas_field_description.h"
#include "started_window.h"

#include <QGroupBox>
#include <QLabel>
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
    // The defaults are the form's own labels; OK without a change leaves every label as it was.
    void defaultsAreTheFormsLabelsAndOkWithoutAChangeChangesNothing() {
        test::StartedWindow w;
        auto* dialog = openDescriptions(w);
        QCOMPARE(box(dialog, "K0006")->text(), QString("Part Serial Number"));
        QCOMPARE(box(dialog, "K0007")->text(), QString("Fixture Position"));
        QCOMPARE(box(dialog, "K0011")->text(), QString("Process Parameter"));
        box(dialog, "K0008")->setText("Checked by");
        box(dialog, "K0010")->clear();
        // Enter in a text box presses the default button, OK.
        QTest::keyClick(box(dialog, "K0010"), Qt::Key_Return);
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.stored().at("TXTK0008"), std::string("Checked by"));
        QCOMPARE(w.stored().at("TXTK0007"), std::string(""));  // left at the default: follows the language
        QCOMPARE(box(openDescriptions(w), "K0010")->text(), QString("Machine"));

        dialogs::frm_Dateneingabe form(*w.f.process, w.window);
        QCOMPARE(child<QLabel>(&form, "lblK0007")->text(), QString("Fixture Position"));
        QCOMPARE(child<QLabel>(&form, "lblK0008")->text(), QString("Checked by"));
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
