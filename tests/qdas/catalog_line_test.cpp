#include "qdas/catalog_line.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "qdas/catalog_entries.h"

using namespace kelmar::qdas;

TEST(CatalogLine, WalksLinesAsTheFoundationSplitsThem) {
    for (std::string text : {"a\r\nb\nc\rd", "a\r\n\r\nb\r\n", "\n\n", "single", "", "x\r"}) {
        std::vector<std::string> walked;
        forEachLine(text, [&walked](std::string_view line) { walked.emplace_back(line); });
        EXPECT_EQ(walked, kelmar::platform::splitLines(text)) << text;
    }
}

TEST(CatalogEntry, NumberIsWhatFollowsTheLastParenthesisOrZero) {
    EXPECT_EQ(catalogEntryText("Mill 3", "Bay 2", 12), "Mill 3  Bay 2  (12)");
    EXPECT_EQ(ExtractCatalogNumber(catalogEntryText("Lathe (L-1)", "Hall (old)", 32767)), 32767);
    EXPECT_EQ(ExtractCatalogNumber("  Nest 1  Pallet A  ( 3 )  "), 3);
    for (const char* none : {"", "   ", "x", "Lathe  Hall  ()", "Lathe  (abc)", "big  (40000)"})
        EXPECT_EQ(ExtractCatalogNumber(none), 0) << '"' << none << '"';
}
