#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
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
    const double largest = std::numeric_limits<double>::max();
    for (double v : {10.05, -0.3, 1e16, 1e-05, 0.0, 123456.78901, largest, -largest}) {
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
    // Past 10^10 the exact sum has more digits than the general text's 15.
    EXPECT_EQ(limitText("9999999999.99999", "1.00000"), "10000000001");
}

TEST(NumberText, LimitShortcutGivesTheTextOfTheDoubleSum) {
    // The limit texts must read exactly as the sum of the two doubles would,
    // cancellation and tiny sums included.
    std::mt19937_64 random(42);
    auto check = [](double nominal, double tolerance) {
        std::string nom = formatFixed5(nominal), tol = formatFixed5(tolerance);
        std::string expected = formatGeneral(*parseNumber(nom) + *parseNumber(tol));
        ASSERT_EQ(limitText(nom, tol), expected) << nom << " + " << tol;
    };
    std::uniform_real_distribution<double> wide(-1e9, 1e9), narrow(-2.0, 2.0);
    std::uniform_int_distribution<int> exponent(-6, 9);
    for (int i = 0; i < 200000; ++i) {
        double scale = std::pow(10.0, exponent(random));
        check(narrow(random) * scale, narrow(random) * std::pow(10.0, exponent(random)));
        check(wide(random), -wide(random) / 1e6);
    }
    for (auto [a, b] : {std::pair{10.00001, -10.0}, {0.1, 0.2}, {0.00004, 0.00005}, {-5.0, 5.0}, {999999999.99999, 0.00001},
                        {1e-5, 0.0}, {123.45678, -123.45677}})
        check(a, b);
}

TEST(NumberText, LimitOfWrittenValuesEqualsTheLimitOfTheirTexts) {
    // Capture sums the values without reading their texts back; the texts and
    // the limit must be those of the round trip, large values included.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-2.0, 2.0);
    std::uniform_int_distribution<int> exponent(-7, 12);
    std::string nom, tol, limit;
    auto check = [&](double nominal, double tolerance) {
        const LimitSummand a = writeFixed5Summand(nom, nominal), b = writeFixed5Summand(tol, tolerance);
        ASSERT_EQ(nom, formatFixed5(nominal));
        ASSERT_EQ(tol, formatFixed5(tolerance));
        writeLimitText(limit, a, b);
        ASSERT_EQ(limit, limitText(nom, tol)) << nominal << " + " << tolerance;
    };
    for (int i = 0; i < 200000; ++i)
        check(any(random) * std::pow(10.0, exponent(random)), any(random) * std::pow(10.0, exponent(random)));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (auto [a, b] : {std::pair{1e9, 0.05}, {999999999.999995, 0.00001}, {-1e15, 1e15}, {nan, 0.05}, {inf, -inf},
                        {0.000005, -0.000005}, {12.345675, -12.345665}})
        check(a, b);
}
