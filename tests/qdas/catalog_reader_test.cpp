#include "qdas/catalog_reader.h"

#include <gtest/gtest.h>

#include "catalog_fixture.h"
#include "qdas/catalog_entries.h"
#include "qdas/catalog_lookup.h"
#include "settings/setting_names.h"

using namespace kelmar;
using namespace kelmar::qdas;
using Lines = std::vector<std::string>;
using Numbers = std::vector<std::int16_t>;

namespace {

// Catalog lines written as one text, "|" between them.
std::string crlfLines(std::string_view joined) {
    std::string text;
    for (char c : joined) c == '|' ? text.append("\r\n") : text.append(1, c);
    return text + "\r\n";
}

class CatalogReaderTest : public test::CatalogFixture {
protected:
    CatalogTables tables;
    CatalogChoices choices;

    std::string defaultPath() const { return home.file("Catalogs/MyCatalog.dfd"); }
    std::string storedPath() const { return backend.values().at(settings::names::CatalogPathName); }

    bool readCatalog(const std::string& text) {
        home.write("Catalogs/MyCatalog.dfd", text);
        return ReadCatalog(tables, choices, context);
    }
    bool readLines(std::string_view joined) { return readCatalog(crlfLines(joined)); }
};

}  // namespace

TEST_F(CatalogReaderTest, FirstAndSecondTextsMakeOneEntryInTheListOfTheirGroup) {
    ASSERT_TRUE(
        readLines("K4062/12 Mill 3|K4063/12 Bay 2|K4072/4 Caliper|K4073/4 MG-0103|K4092/101 Bauer|"
                  "K4093/101 Shift A|K4252/2 Nest 2|K4253/2 Pallet A"));
    EXPECT_EQ(choices.comboMaschine, Lines{"Mill 3  Bay 2  (12)"});
    EXPECT_EQ(choices.comboPruefmittel, Lines{"Caliper  MG-0103  (4)"});
    EXPECT_EQ(choices.comboPruefer, Lines{"Bauer  Shift A  (101)"});
    EXPECT_EQ(choices.comboNest, Lines{"Nest 2  Pallet A  (2)"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CatalogReaderTest, IgnoredAndUnfitLinesLeaveTheRememberedTextAndIndexAlone) {
    // The first K4063 meets no K4062 but a comment, a short line, a blank, a lower-case key and an unfit index.
    ASSERT_TRUE(
        readLines("// K4062/1 X|K4063||k4062/5 lower|K4062/x Unfit|  K4063/2   Bay 7  |K4062/9 Lathe|"
                  "K4072/y Unfit|K4063 Hall|K40631 attached|K4063 /5 x"));
    EXPECT_EQ(choices.comboMaschine,
              (Lines{"  Bay 7  (2)", "Lathe  Hall  (9)", "Lathe  1 attached  (9)", "Lathe  /5 x  (9)"}));
}

TEST_F(CatalogReaderTest, RememberedTextIsSharedByAllGroupsAndEvents) {
    ASSERT_TRUE(
        readLines("K4062/1 Lathe|K4073/4 Hall 1|K4223/1 orphan|K4222/3 Tool change|K4093/5 Shift B|"
                  "K4252/6 Chuck|K4223/7 sub spindle"));
    EXPECT_EQ(choices.comboPruefmittel, Lines{"Lathe  Hall 1  (4)"});
    EXPECT_EQ(choices.comboPruefer, Lines{"Tool change  Shift B  (5)"});
    EXPECT_EQ(choices.lstEvents, (Lines{"Lathe  orphan  (1)", "Chuck  sub spindle  (7)"}));
    ASSERT_EQ(tables.EventCount(), 1);
    EXPECT_EQ(tables.EventTable[1].number, 3);
    EXPECT_EQ(tables.EventTable[1].firstText + "|" + tables.EventTable[1].secondText, "Tool change|sub spindle");
}

TEST_F(CatalogReaderTest, EventGroupCollectsTheEventNumbersThatFollowIt) {
    ASSERT_TRUE(readLines("K4221/1 3|K4220/1 Setup|K4221/1 5|K4221/1 7|K4220/4 Tool|K4221 9"));
    ASSERT_EQ(tables.EventGroupCount(), 2);
    EXPECT_EQ(tables.EventGroupTable[1].number, 1);
    EXPECT_EQ(tables.EventGroupTable[1].text, "Setup");
    EXPECT_EQ(tables.EventGroupTable[1].eventNumbers, (Numbers{5, 7}));
    EXPECT_EQ(tables.EventGroupTable[2].eventNumbers, Numbers{9});
    EXPECT_EQ(choices.lstKatalog, (Lines{"1  Setup", "4  Tool"}));
}

TEST_F(CatalogReaderTest, ParameterTablesGrowToTheHighestPositionAndKeepWhatWasListedAhead) {
    ASSERT_TRUE(
        readLines("K4242/7 Speed|K4249/7 3|K4243/7 rpm|K4244/7 turning|K4243/2 mm|K4245/3 1200|"
                  "K4246/3 finishing|K4241/2 8|K4240/1 Turning|K4240/2 Milling|K4241/2 4|K4241/5 9"));
    ASSERT_EQ(tables.ProcessParameterCount(), 7);
    const ProcessParameter& speed = tables.ProcessParameterTable[7];
    EXPECT_EQ(speed.number, 7);
    EXPECT_EQ(speed.firstText + "|" + speed.secondText + "|" + speed.thirdText, "Speed|rpm|turning");
    EXPECT_EQ(speed.valueNumbers, Numbers{3});
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(tables.ProcessParameterTable[i].number, 0) << i;
    const ParameterValue& value = tables.ParameterValueTable[3];
    EXPECT_EQ(std::to_string(value.number) + "|" + value.firstText + "|" + value.secondText, "3|1200|finishing");
    // The second group line fills position 2 and keeps the parameter listed for it before.
    ASSERT_EQ(tables.ParameterGroupCount(), 5);
    EXPECT_EQ(tables.ParameterGroupTable[2].number, 2);
    EXPECT_EQ(tables.ParameterGroupTable[2].text, "Milling");
    EXPECT_EQ(tables.ParameterGroupTable[2].parameterNumbers, (Numbers{8, 4}));
    EXPECT_EQ(tables.ParameterGroupTable[5].number, 0);
}

TEST_F(CatalogReaderTest, LinesThatDoNotFitAreSkippedWithoutGrowingAnything) {
    ASSERT_TRUE(
        readLines("K4062/1 Lathe|K4063/abc Bay|K4063/-3 Bay|K4063/32768 Bay|K4063/99999999999999999999 Bay|"
                  "K4063/ Bay|K4063/1.5 Bay|K4063/|K4220/1 Tool|K4221/1 x|K4221/1 -1|K4221/1 40000|"
                  "K4221/1 2 3|K4221/1 0|K4242/0 zero|K4243/32768 far|K4249/32767 0|K4249/32767 99999|"
                  "K4240/1 Turning|K4241/40000 1|K4241/0 1|K4241/1 0|K4245/0 zero|K4242/32767 Last|"
                  "K4249/32767 32767"));
    EXPECT_TRUE(choices.comboMaschine.empty());
    EXPECT_EQ(tables.EventGroupTable[1].eventNumbers, Numbers{0});
    EXPECT_TRUE(tables.ParameterGroupTable[1].parameterNumbers.empty());
    EXPECT_EQ(tables.ParameterValueCount(), 0);
    // The highest 16-bit position is still a position.
    EXPECT_EQ(tables.ProcessParameterCount(), 32767);
    EXPECT_EQ(tables.ProcessParameterTable[32767].valueNumbers, Numbers{32767});
    EXPECT_TRUE(tables.ProcessParameterTable[0].firstText.empty());
}

TEST_F(CatalogReaderTest, NoTableOrListGrowsPastTheSixteenBitCount) {
    std::string text;
    auto repeat = [&text](const std::string& line) {
        for (int i = 0; i <= kMaxCatalogEntries; ++i) text += line + "\r\n";
    };
    repeat("K4220/1 G");
    text += "K4221/1 5\r\n";  // follows a refused group line: belongs to no group
    repeat("K4222/2 E");
    text += "K4223/2 last\r\nK4240/1 P\r\n";
    repeat("K4241/1 3");
    repeat("K4063/3 M");
    ASSERT_TRUE(readCatalog(text));
    const size_t full = kMaxCatalogEntries;
    EXPECT_EQ(tables.EventGroupTable.size() - 1, full);
    EXPECT_EQ(choices.lstKatalog.size(), full);
    EXPECT_TRUE(tables.EventGroupTable.back().eventNumbers.empty());
    EXPECT_EQ(tables.EventTable.size() - 1, full);
    EXPECT_EQ(tables.EventTable.back().secondText, "");
    EXPECT_EQ(tables.ParameterGroupTable[1].parameterNumbers.size(), full);
    EXPECT_EQ(choices.comboMaschine.size(), full);
}

TEST_F(CatalogReaderTest, MissingOrBlankPathTakesTheDefaultAndWritesItAStoredOneStays) {
    ASSERT_TRUE(readLines("K4092/1 Default|K4093/1 x"));
    EXPECT_EQ(storedPath(), defaultPath());
    store.writeText(settings::names::CatalogPathName, "   ");
    ASSERT_TRUE(readLines("K4092/1 Default|K4093/1 x"));
    EXPECT_EQ(storedPath(), defaultPath());

    std::string elsewhere = home.write("Shop/Shop.dfd", crlfLines("K4092/7 Meier|K4093/7 Shift A"));
    store.writeText(settings::names::CatalogPathName, elsewhere);
    ASSERT_TRUE(ReadCatalog(tables, choices, context));
    EXPECT_EQ(choices.comboPruefer.back(), "Meier  Shift A  (7)");
    EXPECT_EQ(storedPath(), elsewhere);
}

TEST_F(CatalogReaderTest, MissingCatalogShowsTheErrorEmptiesTheTablesAndKeepsTheLists) {
    ASSERT_FALSE(ReadCatalog(tables, choices, context));  // a fresh installation: no Catalogs folder
    EXPECT_EQ(storedPath(), defaultPath());
    ASSERT_TRUE(readLines("K4220/1 Setup|K4242/1 P"));
    ASSERT_TRUE(readLines("K4220/5 Other|K4242/1 P"));  // rebuilt, not added to
    EXPECT_EQ(tables.EventGroupCount(), 1);
    files.fail(test::FileOp::Read, "MyCatalog.dfd");
    EXPECT_FALSE(ReadCatalog(tables, choices, context));
    std::string text =
        "File " + defaultPath() + " can't be found. After you have copied the file, please restart the converter.";
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].kind, platform::MessageKind::Error);
    EXPECT_EQ(messages.texts(), (Lines{text, text}));
    EXPECT_EQ(tables.EventGroupCount() + tables.ProcessParameterCount(), 0);
    EXPECT_EQ(choices.lstKatalog, (Lines{"1  Setup", "5  Other"}));
}

TEST_F(CatalogReaderTest, ShippedCatalogReadsCompletelyAndConsistently) {
    test::copyResources(home);
    ASSERT_TRUE(ReadCatalog(tables, choices, context));
    EXPECT_TRUE(messages.shown.empty());
    std::vector<size_t> lists{choices.comboMaschine.size(), choices.comboPruefmittel.size(),
                              choices.comboPruefer.size(),  choices.comboNest.size(),
                              choices.lstKatalog.size(),    choices.lstEvents.size()};
    EXPECT_EQ(lists, (std::vector<size_t>{10, 12, 9, 6, 7, 18}));
    std::vector<int> counts{tables.EventCount(), tables.ParameterGroupCount(), tables.ProcessParameterCount(),
                            tables.ParameterValueCount()};
    EXPECT_EQ(counts, (std::vector<int>{18, 5, 12, 32}));
    EXPECT_EQ(choices.lstKatalog.front(), "0  All events");
    EXPECT_EQ(choices.comboPruefmittel.front(),
              "CMM bridge type  Measuring room S\xFC"
              "d  (1)");  // 1252 bytes

    // Every number a group or a parameter lists names an entry of the catalog, so the lookups find them all.
    for (int g = 1; g < tables.EventGroupCount(); ++g)
        EXPECT_EQ(EventEntriesForGroup(tables, g, choices.lstKatalog[g]).size(),
                  tables.EventGroupTable[g + 1].eventNumbers.size())
            << choices.lstKatalog[g];
    for (const std::string& group : ParameterGroupEntries(tables))
        for (const std::string& parameter : ParameterEntriesForGroup(tables, group))
            EXPECT_EQ(ParameterValueEntries(tables, parameter).size(),
                      tables.ProcessParameterTable[leadingCatalogNumber(parameter).value()].valueNumbers.size());
    EXPECT_EQ(ParameterEntriesForGroup(tables, "0").size(), 12u);
}

TEST_F(CatalogReaderTest, ALongTextNamedByManyEntriesIsHeldOnceByTheListsAndTheGroupLookUp) {
    const std::string longText(100000, 'M');
    std::string catalog = "K4062/1 " + longText + "\r\n";
    for (int i = 1; i <= 2000; ++i) catalog += "K4063/" + std::to_string(i) + " B\r\n";
    catalog += "K4062/9 Lathe\r\nK4063/9 Hall\r\nK4222/5 " + longText + "\r\nK4223/5 E\r\nK4220/1 G\r\n";
    for (int i = 0; i < 2000; ++i) catalog += "K4221/1 5\r\n";
    ASSERT_TRUE(readCatalog(catalog));

    ASSERT_EQ(choices.comboMaschine.size(), 2001u);
    EXPECT_EQ(choices.comboMaschine[1999], longText + "  B  (2000)");
    EXPECT_EQ(choices.comboMaschine.back(), "Lathe  Hall  (9)");
    EXPECT_LT(choices.comboMaschine.textBytes(), longText.size() + 2001 * 8);
    const CatalogEntryList events = EventEntriesForGroup(tables, 1, choices.lstKatalog[0]);
    ASSERT_EQ(events.size(), 2000u);
    EXPECT_EQ(events.back(), longText + "  E  (5)");
    EXPECT_LT(events.textBytes(), longText.size() + 8);
}
