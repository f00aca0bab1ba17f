#include "qdas/value_block.h"

#include <gtest/gtest.h>

#include "qdas/written_characteristics.h"
#include "writer_fixture.h"

using namespace kelmar;
using namespace kelmar::test;
namespace field = kelmar::capture::field;

namespace {

class ValueBlock : public ::testing::Test {
protected:
    WriterFixture f;
    std::array<std::string, capture::QdasDataRecord::kSize>& part = f.run.PartQdasData[1].fields;

    std::vector<std::string> block() {
        qdas::QdasLines out;
        qdas::WriteValueBlock(f.run, qdas::writtenCharacteristics(f.run, f.run.CharacteristicCount()), f.clock, out);
        return crlfLines(out.text());
    }
};

TEST_F(ValueBlock, OneGroupWithItsEventsOnly) {
    f.add("A");
    f.add("B");
    f.add("C", "12.00410");
    part[field::K0005] = "1,4";
    auto lines = block();
    EXPECT_EQ(
        std::vector<std::string>(lines.end() - 4, lines.end()),
        (std::vector<std::string>{"K0001/3 12.00410", "K0002/3 0", "K0004/3 07.12.2026/01:42:05", "K0005/3 1,4"}));
}

TEST_F(ValueBlock, LeftOutCharacteristicsMoveTheLaterValuesUp) {
    f.run.DimensionName = true;
    f.addCommented("<<A", "1.00000");
    f.addCommented("<<#B", "2.00000");
    f.addCommented("<<C", "3.00000");
    EXPECT_EQ(valueOf(block(), "K0001/2"), "3.00000");
    EXPECT_EQ(valueOf(block(), "K0001/3"), std::nullopt);
    // Without comment naming the marker means nothing.
    f.run.DimensionName = false;
    EXPECT_EQ(valueOf(block(), "K0001/3"), "3.00000");
}

TEST_F(ValueBlock, OwnTextsBeforePartTextsAndEmptyOnesLeftOut) {
    f.add("A", "");
    f.add("B");
    f.add("C");
    f.run.growQdasData(2);
    f.run.CharacteristicQdasData[1].fields[field::K0009] = "own";
    f.run.CharacteristicQdasData[2].fields[field::K0005] = "7";
    part[field::K0009] = "part";
    part[field::K0011] = "[]";
    auto lines = block();
    EXPECT_EQ(valueOf(lines, "K0001/1"), "");  // an empty value still gives its line
    EXPECT_EQ(valueOf(lines, "K0009/1"), "own");
    EXPECT_EQ(valueOf(lines, "K0009/2"), "part");
    EXPECT_EQ(valueOf(lines, "K0005/1"), std::nullopt);
    EXPECT_EQ(valueOf(lines, "K0005/2"), "7");
    EXPECT_EQ(valueOf(lines, "K0011/1"), std::nullopt);
    part[field::K0009].clear();
    part[field::K0011] = "[3 1,5 2]";
    lines = block();
    EXPECT_EQ(valueOf(lines, "K0009/2"), std::nullopt);
    EXPECT_EQ(valueOf(lines, "K0011/3"), "[3 1,5 2]");
}

TEST_F(ValueBlock, AllPartFieldsInTheirOrderWithTheTimeTakenPerGroup) {
    f.add("A");
    f.add("B");
    for (int k : {field::K0005, field::K0006, field::K0007, field::K0008, field::K0009, field::K0010, field::K0011,
                  field::K0012, field::K0053})
        part[k] = "v";
    f.clock.step = 1;
    auto lines = block();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 12, lines.end()),
              (std::vector<std::string>{"K0001/2 1.00000", "K0002/2 0", "K0004/2 07.12.2026/01:42:06", "K0005/2 v",
                                        "K0006/2 v", "K0007/2 v", "K0008/2 v", "K0009/2 v", "K0010/2 v", "K0011/2 v",
                                        "K0012/2 v", "K0053/2 v"}));
}

}  // namespace
