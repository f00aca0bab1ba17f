#include "capture/axis_names.h"

#include <gtest/gtest.h>

#include <set>

using namespace kelmar;

TEST(AxisNames, KindsMapToTheirLines) {
    settings::LanguageTexts texts;
    for (int i = 1; i <= 281; ++i) texts.lines[i] = "L" + std::to_string(i);
    EXPECT_EQ(capture::modAxisName("1007", texts), "L1");
    EXPECT_EQ(capture::modAxisName("1115", texts), "L52");
    EXPECT_EQ(capture::modAxisName("1118", texts), "L48");
    EXPECT_EQ(capture::modAxisName("1105", texts), "L48");
    EXPECT_EQ(capture::modAxisName("1209", texts), "L36");
    for (const char* none : {"", "1000", "1001", "1011", "1200", "1201", "01100", " 1100", "1100 ", "9999"})
        EXPECT_EQ(capture::modAxisName(none, texts), "UnknownType") << '"' << none << '"';
}

TEST(AxisNames, EveryDesignationLineIsUsed) {
    std::set<int> used;
    for (int code = 1000; code < 1300; ++code)
        if (auto line = capture::axisNameLine(std::to_string(code))) used.insert(*line);
    EXPECT_EQ(used.size(), 52u);
    EXPECT_EQ(*used.begin(), 1);
    EXPECT_EQ(*used.rbegin(), 52);
}
