#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelmar::platform;

TEST(NumberText, FixedPatternHasFiveDecimalsAndAnIntegerDigit) {
    EXPECT_EQ(formatFixed5(10.004), "10.00400");
    EXPECT_EQ(formatFixed5(0.05), "0.05000");
    EXPECT_EQ(formatFixed5(-0.05), "-0.05000");
    EXPECT_EQ(formatFixed5(1234567.5), "1234567.50000");
    EXPECT_EQ(formatFixed5(0.000004), "0.00000");
    EXPECT_EQ(formatFixed5(-0.0), "0.00000");
    EXPECT_EQ(formatFixed5(-0.000001), "0.00000");
    EXPECT_EQ(formatFixed5(std::numeric_limits<double>::quiet_NaN()), "0.00000");
    EXPECT_EQ(formatFixed5(1e300).substr(0, 4), "1000");
}

TEST(NumberText, GeneralTextIsShortest) {
    EXPECT_EQ(formatGeneral(10.0 + 0.05), "10.05");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatGeneral(10.0), "10");
    EXPECT_EQ(formatGeneral(-9.95), "-9.95");
    EXPECT_EQ(formatGeneral(0.0), "0");
    EXPECT_EQ(formatGeneral(-0.0), "0");
    EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatGeneral(1e16), "1E+16");
    EXPECT_EQ(formatGeneral(0.00001), "1E-05");
    EXPECT_EQ(formatGeneral(0.0001), "0.0001");
    EXPECT_EQ(formatGeneral(1.0 / 3.0), "0.333333333333333");
}

TEST(NumberText, ReadsBackWhatItWrites) {
    for (double v : {10.05, -0.3, 1e16, 1e-05, 0.0, 123456.78901}) {
        auto back = parseNumber(formatGeneral(v));
        ASSERT_TRUE(back) << v;
        EXPECT_NEAR(*back, v, std::abs(v) * 1e-14);
    }
    EXPECT_EQ(parseNumber(" 10.00400 "), 10.004);
    EXPECT_EQ(parseNumber("+2"), 2.0);
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("   "));
    EXPECT_FALSE(parseNumber("1,5"));
    EXPECT_FALSE(parseNumber("abc"));
    EXPECT_FALSE(parseNumber("++1"));
    EXPECT_FALSE(parseNumber("nan"));
    EXPECT_FALSE(parseNumber("1e999"));
}

TEST(NumberText, LimitIsTheSumOfTheFormattedTexts) {
    EXPECT_EQ(limitText(formatFixed5(10.0), formatFixed5(0.05)), "10.05");
    EXPECT_EQ(limitText("10.00000", "-0.05000"), "9.95");
    EXPECT_EQ(limitText("0.10000", "0.20000"), "0.3");
    EXPECT_EQ(limitText("x", "0.1"), "");
}
