// Captured values are formatted without printf for speed; the texts must stay
// exactly those of "%.5f", half-way cases included.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/number_text.h"

TEST(CapturedValueFormat, FixedTextsMatchPrintfAcrossRangesAndHalfWayCases) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> measured(-1000, 1000), wide(-3e9, 3e9);
    std::vector<double> values;
    for (int i = 0; i < 40000; ++i) {
        values.push_back(measured(random));
        values.push_back((std::round(measured(random) * 1e5) + 0.5) / 1e5);  // next to a half-way case
        values.push_back((std::round(wide(random)) * 2 + 1) / 64.0);         // exactly half-way
        values.push_back(wide(random));
        const std::uint64_t bits = random();
        double any = 0;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) values.push_back(any);
    }
    char printed[400];
    for (double v : values) {
        std::snprintf(printed, sizeof printed, "%.5f", v);
        const std::string expected = std::strcmp(printed, "-0.00000") == 0 ? "0.00000" : printed;
        ASSERT_EQ(kelmar::platform::formatFixed5(v), expected) << std::hexfloat << v;
    }
}
