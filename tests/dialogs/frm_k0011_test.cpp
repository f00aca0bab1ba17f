#include "dialogs/frm_k0011.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "dialogs/data_entry_fixture.h"
#include "qdas/catalog_reader.h"

using namespace kelmar;
using dialogs::frmK0011;
using Entries = std::vector<std::string>;

namespace {

template <class W>
W* child(QWidget& window, const char* name) {
    auto* found = window.findChild<W*>(name);
    if (!found) qFatal("control %s is missing", name);
    return found;
}

Entries items(QListWidget* list) {
    Entries texts;
    for (int i = 0; i < list->count(); ++i) texts.push_back(list->item(i)->text().toStdString());
    return texts;
}

// The dialog over a stand-in data entry form whose K0011 caption is a plain string.
struct K0011Fixture {
    test::DataEntryFixture f;
    QWidget dataEntry;
    std::string caption;
    int stored = 0;

    explicit K0011Fixture(std::string k0011) : caption(std::move(k0011)) {
        qdas::CatalogChoices choices;
        qdas::ReadCatalogText(test::kSmallCatalog, f.process().state.catalog, choices);
        dataEntry.show();
    }
    frmK0011* open() {
        auto* dialog = new frmK0011(f.process(), dataEntry, caption, [this](const std::string& text) {
            caption = text;
            ++stored;
        });
        dialog->open();
        return dialog;
    }
};

void click(QWidget& dialog, const char* name) { child<QPushButton>(dialog, name)->click(); }

}  // namespace

class K0011DialogTest : public QObject {
    Q_OBJECT

private slots:
    void k0011TextRoundTrip() {
        QVERIFY(dialogs::k0011Entries("").empty());
        QVERIFY(dialogs::k0011Entries("  []  ").empty());
        QVERIFY(dialogs::k0011Entries("   ").empty());
        QCOMPARE(dialogs::k0011Entries("[3 1,5 2]"), (Entries{"3 1", "5 2"}));
        QCOMPARE(dialogs::k0011Entries("[3 1,]"), (Entries{"3 1", ""}));  // the last piece counts too
        QCOMPARE(dialogs::k0011Entries("x"), Entries{""});
        QCOMPARE(dialogs::k0011Text({}), std::string("[]"));
        QCOMPARE(dialogs::k0011Text({"3 1", "5 2"}), std::string("[3 1,5 2]"));
        for (const char* text : {"[3 1,5 2]", "[7 7]", "[1 1,1 1,2 3]"})
            QCOMPARE(dialogs::k0011Text(dialogs::k0011Entries(text)), std::string(text));
        // A hostile caption of many pieces stays within the 16-bit list size.
        std::string many = "[" + std::string(100000, ',') + "]";
        QCOMPARE(dialogs::k0011Entries(many).size(), size_t(32767));
    }

    void opensWithTheCaptionsEntriesAndTheFirstGroup() {
        K0011Fixture k("[3 1,5 2]");
        frmK0011* dialog = k.open();
        QVERIFY(dialog->isVisible());
        QVERIFY(!k.dataEntry.isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Configuration Dialog For Process Parameter"));
        QCOMPARE(child<QLabel>(*dialog, "Label5")->text(), QString("K0011 Selected Process Parameter"));
        QCOMPARE(child<QPushButton>(*dialog, "cmdCancel")->text(), QString("Cancel"));
        QCOMPARE(items(child<QListWidget>(*dialog, "VListK0011")), (Entries{"3 1", "5 2"}));
        auto* groups = child<QComboBox>(*dialog, "ComboK4240");
        QCOMPARE(groups->count(), 3);
        QCOMPARE(groups->itemText(1), QString("2   Turning"));
        QCOMPARE(groups->currentIndex(), 0);
        // Group 0 lists every parameter of the catalog.
        QCOMPARE(items(child<QListWidget>(*dialog, "VListK4243")),
                 (Entries{"1   Speed   rpm   turning", "2   Feed   mm   turning", "3   Cutter   -   mill"}));
        click(*dialog, "cmdOK");
        QCOMPARE(k.caption, std::string("[3 1,5 2]"));
        QVERIFY(k.dataEntry.isVisible());
    }

    void choicesFollowOneAnotherAndAddNeedsParameterAndValue() {
        K0011Fixture k("[]");
        frmK0011* dialog = k.open();
        auto* parameters = child<QListWidget>(*dialog, "VListK4243");
        auto* values = child<QListWidget>(*dialog, "VListK4245");
        auto* chosen = child<QListWidget>(*dialog, "VListK0011");
        QVERIFY(items(chosen).empty());
        child<QComboBox>(*dialog, "ComboK4240")->setCurrentIndex(1);
        QCOMPARE(items(parameters), (Entries{"1   Speed   rpm   turning", "2   Feed   mm   turning"}));
        parameters->setCurrentRow(0);
        QCOMPARE(items(values), (Entries{"1   1000   low", "2   2000   high"}));
        parameters->setCurrentRow(1);
        QCOMPARE(items(values), Entries{"3   0.1   fine"});
        values->setCurrentRow(-1);
        click(*dialog, "cmdAddValue");  // a parameter without a value adds nothing
        QVERIFY(items(chosen).empty());
        values->setCurrentRow(0);
        click(*dialog, "cmdAddValue");
        click(*dialog, "cmdAddValue");  // duplicates are allowed
        QCOMPARE(items(chosen), (Entries{"2 3", "2 3"}));
        child<QComboBox>(*dialog, "ComboK4240")->setCurrentIndex(2);
        QCOMPARE(items(parameters), Entries{"3   Cutter   -   mill"});
        click(*dialog, "cmdOK");
        QCOMPARE(k.caption, std::string("[2 3,2 3]"));
    }

    void deleteRemovesTheCurrentEntryOrAllOfThem() {
        K0011Fixture k("[3 1,5 2,7 1]");
        frmK0011* dialog = k.open();
        auto* chosen = child<QListWidget>(*dialog, "VListK0011");
        chosen->setCurrentRow(1);
        click(*dialog, "cmdDeleteK0011");
        QCOMPARE(items(chosen), (Entries{"3 1", "7 1"}));
        chosen->setCurrentRow(-1);
        click(*dialog, "cmdDeleteK0011");
        QVERIFY(items(chosen).empty());
        click(*dialog, "cmdOK");
        QCOMPARE(k.caption, std::string("[]"));

        // Cancel keeps the caption whatever was changed.
        k.caption = "[3 1]";
        dialog = k.open();
        click(*dialog, "cmdDeleteK0011");
        click(*dialog, "cmdCancel");
        QCOMPARE(k.caption, std::string("[3 1]"));
        QCOMPARE(k.stored, 1);
        QVERIFY(k.dataEntry.isVisible());
    }

    void anEmptyCatalogListsNothingAndStillRoundTrips() {
        K0011Fixture k("[9 9]");
        k.f.process().state.catalog.clear();
        frmK0011* dialog = k.open();
        QCOMPARE(child<QComboBox>(*dialog, "ComboK4240")->count(), 0);
        QCOMPARE(child<QListWidget>(*dialog, "VListK4243")->count(), 0);
        click(*dialog, "cmdAddValue");
        click(*dialog, "cmdOK");
        QCOMPARE(k.caption, std::string("[9 9]"));
    }
};

QTEST_MAIN(K0011DialogTest)
#include "frm_k0011_test.moc"
