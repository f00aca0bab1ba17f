#include "qdas/catalog_lookup.h"

#include <gtest/gtest.h>

#include "qdas/catalog_reader.h"

using namespace kelmar::qdas;
using Lines = std::vector<std::string>;

namespace {

class CatalogLookupTest : public ::testing::Test {
protected:
    CatalogTables tables;
    CatalogChoices choices;

    void SetUp() override {
        ReadCatalogText(
            "K4220/0 All events\nK4220/1 Tool\nK4221/1 3\nK4221/1 1\nK4221/1 9\nK4220/2 Shift\nK4221/2 2\n"
            "K4220/2 Shift again\nK4222/1 Tool change\nK4223/1 insert\nK4222/2 Shift change\nK4223/2 new shift\n"
            "K4222/3 Tool offset\nK4223/3 wear\nK4222/1 Duplicate\nK4223/1 later\n"
            "K4240/1 Turning\nK4241/1 2\nK4241/1 1\nK4241/1 5\nK4240/2 Milling\nK4241/2 3\n"
            "K4242/1 Speed\nK4243/1 rpm\nK4244/1 turning\nK4249/1 2\nK4249/1 1\nK4249/1 4\n"
            "K4242/2 Feed\nK4243/2 mm/rev\nK4242/3 Cutter\nK4243/5 grown only\n"
            "K4245/1 800\nK4246/1 roughing\nK4245/2 1200\nK4246/2 finishing\n",
            tables, choices);
    }
};

}  // namespace

TEST_F(CatalogLookupTest, FirstGroupListsEveryEventOthersTheirOwnInGroupOrder) {
    EXPECT_EQ(EventEntriesForGroup(tables, 0, choices.lstKatalog[0]),
              (Lines{"Tool change  insert  (1)", "Shift change  new shift  (2)", "Tool offset  wear  (3)",
                     "Duplicate  later  (1)"}));
    // Event 9 is not in the catalog; of two events numbered 1 the first is listed.
    EXPECT_EQ(EventEntriesForGroup(tables, 1, choices.lstKatalog[1]),
              (Lines{"Tool offset  wear  (3)", "Tool change  insert  (1)"}));
    // Of two groups numbered 2 the first is taken.
    EXPECT_EQ(EventEntriesForGroup(tables, 3, choices.lstKatalog[3]), Lines{"Shift change  new shift  (2)"});
    EXPECT_TRUE(EventEntriesForGroup(tables, -1, choices.lstKatalog[1]).empty());
    EXPECT_TRUE(EventEntriesForGroup(tables, 1, "Tool").empty());
    EXPECT_TRUE(EventEntriesForGroup(tables, 1, "7  Unknown").empty());
    // K2060 comes from the group table at the list position.
    EXPECT_EQ(EventGroupNumberAt(tables, 3), 2);
    EXPECT_EQ(EventGroupNumberAt(tables, 4), std::nullopt);
}

TEST_F(CatalogLookupTest, ParametersOfAGroupOrOfAllForGroupZeroLeavingOutUnnamedOnes) {
    EXPECT_EQ(ParameterGroupEntries(tables), (Lines{"1   Turning", "2   Milling"}));
    // Parameter 5 was only grown to by a K4243 line, without a K4242.
    EXPECT_EQ(ParameterEntriesForGroup(tables, "1   Turning"),
              (Lines{"2   Feed   mm/rev   ", "1   Speed   rpm   turning"}));
    EXPECT_EQ(ParameterEntriesForGroup(tables, "0   All"),
              (Lines{"1   Speed   rpm   turning", "2   Feed   mm/rev   ", "3   Cutter      "}));
    EXPECT_TRUE(ParameterEntriesForGroup(tables, "9   Missing").empty());
    EXPECT_TRUE(ParameterEntriesForGroup(tables, "Turning").empty());
}

TEST_F(CatalogLookupTest, ValuesOfAParameterInItsOrderLeavingOutUnnamedOnes) {
    EXPECT_EQ(ParameterValueEntries(tables, "1   Speed   rpm   turning"),
              (Lines{"2   1200   finishing", "1   800   roughing"}));
    EXPECT_TRUE(ParameterValueEntries(tables, "5   grown only").empty());
    EXPECT_TRUE(ParameterValueEntries(tables, "40   beyond").empty());
}
