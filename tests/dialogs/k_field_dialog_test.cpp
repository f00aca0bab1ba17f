// The K-field dialog: which K-fields the data entry form offers.

#include "dialogs/frm_k_field.h"
#include "started_window.h"

#include <QGroupBox>
#include <QtTest>

using namespace kelmar;
using test::child;
using test::textOf;

namespace {

const char* const kKeys[] = {"K0006", "K0007", "K0008", "K0009", "K0010", "K0011", "K0012", "K0053",
                             "K1007", "K1010", "K1011", "K1053", "K1101", "K1203", "K1209", "K1303",
                             "K1900", "K2005", "K2320", "K2401", "K2402", "K2404"};

dialogs::frmKField* openKFields(test::StartedWindow& w) {
    auto* dialog = new dialogs::frmKField(*w.f.process, w.window);
    dialog->open();
    return dialog;
}

QCheckBox* box(QWidget* dialog, const std::string& key) { return child<QCheckBox>(dialog, ("chk" + key).c_str()); }

std::string flag(const test::StartedWindow& w, const std::string& key) {
    auto it = w.stored().find("K_Fields_Settings\\" + key);
    return it == w.stored().end() ? "<missing>" : it->second;
}

}  // namespace

class KFieldDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing stored yet: the form offers every field, so the dialog shows them all ticked
    // and a first OK that unticks one field switches off that one only.
    void firstOkSwitchesOffOnlyWhatWasUnticked() {
        test::StartedWindow w;
        auto* dialog = openKFields(w);
        for (const char* key : kKeys) QVERIFY2(box(dialog, key)->isChecked(), key);
        box(dialog, "K0009")->setChecked(false);
        child<QPushButton>(dialog, "cmdOK")->click();
        QVERIFY(w.window.isVisible());
        for (const char* key : kKeys) QCOMPARE(flag(w, key), std::string(key == std::string("K0009") ? "0" : "1"));
    }

    void storedFlagsAreShownAndChangesStored() {
        test::StartedWindow w;
        for (auto [key, value] : {std::pair{"K0006", "0"}, {"K2005", "1"}, {"K1010", "-1"}, {"K0007", "junk"}})
            w.f.settings->write(std::string("K_Fields_Settings\\") + key, value);
        auto* dialog = openKFields(w);
        QVERIFY(!box(dialog, "K0006")->isChecked());
        QVERIFY(box(dialog, "K2005")->isChecked() && box(dialog, "K1010")->isChecked());
        QVERIFY(box(dialog, "K0007")->isChecked());  // unreadable: offered, as when missing
        box(dialog, "K2005")->setChecked(false);
        child<QPushButton>(dialog, "cmdOK")->click();
        QCOMPARE(flag(w, "K2005") + flag(w, "K1010") + flag(w, "K0007"), std::string("011"));
    }

    void withoutRightsOrAnAnswerAndOnCancelNothingIsStored() {
        test::StartedWindow denied({.admin = false});
        auto before = denied.stored();
        auto* dialog = openKFields(denied);
        box(dialog, "K0006")->setChecked(false);
        child<QPushButton>(dialog, "cmdOK")->click();
        QCOMPARE(denied.stored(), before);
        QVERIFY(test::toldNoRights(denied));
        QVERIFY(denied.window.isVisible());

        test::StartedWindow failing({.adminFails = true});
        dialog = openKFields(failing);
        child<QPushButton>(dialog, "cmdOK")->click();
        QVERIFY(test::toldNoRights(failing));

        test::StartedWindow w;
        before = w.stored();
        dialog = openKFields(w);
        box(dialog, "K0008")->setChecked(false);
        child<QPushButton>(dialog, "cmdCancel")->click();
        QCOMPARE(w.stored(), before);
        QVERIFY(w.window.isVisible());
    }

    void labelsComeFromTheLanguageAndTheUsersTexts() {
        test::StartedWindow w({.numberedTexts = true});
        w.f.settings->write("TXTK0006", "Lot");
        w.f.settings->write("TXTK1209", "");
        auto* dialog = openKFields(w);
        QCOMPARE(dialog->windowTitle(), QString("Line 149"));
        QCOMPARE(child<QGroupBox>(dialog, "Frame4")->title(), QString("Line 152"));
        QCOMPARE(textOf(dialog, "cmdCancel"), QString("Line 154"));
        // The same labels as the data entry form's.
        QCOMPARE(textOf(dialog, "lblK1007") + textOf(dialog, "lblK2404"), QString("Line 119Line 128"));
        QCOMPARE(textOf(dialog, "lblK0006"), QString("Lot"));
        QCOMPARE(textOf(dialog, "lblK1209"), QString("Line %1").arg(int(settings::Text::FieldK1209)));
        QCOMPARE(textOf(dialog, "lblK0007"), QString("Line %1").arg(int(settings::Text::FieldK0007)));
    }
};

QTEST_MAIN(KFieldDialogTest)
#include "k_field_dialog_test.moc"
