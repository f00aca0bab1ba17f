// The quoted list format shared by the two settings files.

#include "settings/quoted_list_file.h"

#include <gtest/gtest.h>

using namespace kelmar::settings;

TEST(QuotedListFile, ReadsBackWhatItWrites) {
    EXPECT_EQ(joinQuotedLines({quotedText("a, b"), quotedBool(true), quotedInt(-3)}), "\"a, b\"\r\n#TRUE#\r\n-3\r\n");
    for (std::string text : {"with, commas, inside", "", "  padded  ", "C:\\Dir\\Sub", "\xE4\xF6\xFC"})
        EXPECT_EQ(readQuotedField(quotedText(text)), text) << text;
    EXPECT_EQ(readQuotedField(quotedBool(false)), "false");
    EXPECT_EQ(readQuotedField("  42 "), "42");
    EXPECT_EQ(readQuotedField("\t\"quoted\"  "), "quoted");
    EXPECT_EQ(readQuotedField("\"#TRUE#\""), "#TRUE#");  // only the bare word is a boolean
}

TEST(QuotedListFile, RefusesLinesThatCouldMixTwoFields) {
    for (const std::string& line :
         std::vector<std::string>{"\"first\",\"second\"", "first, second", "\"unclosed", "\"a\"b\"", "\"a\" trailing",
                                  "ab\"c", std::string("\"nul\0byte\"", 10), "\"bell\x07\"", "del\x7F"})
        EXPECT_FALSE(readQuotedField(line)) << line;
}

TEST(QuotedListFile, TakesEachFieldFromItsOwnLineOnly) {
    auto fields = readQuotedFields("\"a\"\r\n\"b\",\"c\"\n#TRUE#\r\r\n", 5);
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[0], "a");
    EXPECT_FALSE(fields[1]);  // an unreadable line costs only its own field
    EXPECT_EQ(fields[2], "true");
    EXPECT_EQ(fields[3], "");  // an empty line is an empty item
    EXPECT_FALSE(fields[4]);   // the final line end starts no line

    std::string huge;
    for (int i = 0; i < 100000; ++i) huge += "\"line\"\r\n";
    EXPECT_EQ(readQuotedFields(huge, 3), (std::vector<std::optional<std::string>>(3, "line")));
}

TEST(QuotedListFile, ReadsSixteenBitIntegersOnly) {
    EXPECT_EQ(readQuotedInt16("-32768"), -32768);
    EXPECT_EQ(readQuotedInt16(" 7 "), 7);
    for (const char* bad : {"32768", "-32769", "1.5", "true", ""}) EXPECT_FALSE(readQuotedInt16(bad)) << bad;
}
