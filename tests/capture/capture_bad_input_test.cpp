#include <gtest/gtest.h>

#include "capture/capture_limit.h"
#include "capture_harness.h"

using namespace kelmar;
using test::CaptureHarness;
using test::HostFileBuilder;
using test::names;

namespace {

// The table and lstMM stay in step, and what is held is whole.
void expectInStep(const CaptureHarness& h) {
    ASSERT_EQ(h.window.listEntryCount(), h.count());
    for (int i = 1; i <= h.count(); ++i) {
        EXPECT_EQ(h.record(i).Number, std::to_string(i));
        EXPECT_EQ(h.window.entries[i - 1], h.record(i).Name);
    }
}

}  // namespace

TEST(CaptureBadInput, AFailingHostReadStoresNothingOfItsCommandAndCaptureGoesOn) {
    // Each member of the second dimension fails in turn; "" fails the whole command.
    for (const char* member : {"dimension.measured", "dimension.nominal", "dimension.plusTol", "dimension.minusTol",
                               "dimension.deviation", "dimension.outTol", "dimension.unitCode", "dimension.feature2",
                               "dimension.mode", "dimension.locationAxis", "dimension", "marked", "type", ""}) {
        HostFileBuilder b;
        b.dimension(1100, "GOOD1");
        b.dimension(1100, "BAD").error(member, "no answer");
        b.comment(1, {"lost"}).error("comment.commentType", "no answer");
        b.traceField("K2001", "lost").error("traceField.value", "no answer");
        b.statistics(1).error("statistics.state", "no answer");
        b.statistics(2, "/out").error("statistics.text", "no answer");  // still ends the run, names no folder
        b.dimension(1100, "GOOD2");
        CaptureHarness h(b);
        h.execute();
        ASSERT_EQ(h.count(), 2) << member;
        EXPECT_EQ(h.record(2).Name, "GOOD2.M") << member;
        EXPECT_FALSE(h.run.state.CommentPending);
        EXPECT_EQ(std::make_pair(h.endOfRunCalls, h.commandLine.count()), std::make_pair(1, 0));
        expectInStep(h);
    }
}

TEST(CaptureBadInput, NamesFallBackWhenTheirPartsCannotBeRead) {
    HostFileBuilder b;
    b.dimension(1100, "S1").axisText("D").error("dimension.id", "no id");
    b.dimension(1100, "S2").error("dimension.axisText", "no text");
    b.dimension(1000, "LOC1");
    b.dimension(1005, "LOC1").locationAxis().error("dimension.id", "no id");
    test::typedPoint(b, "P").fieldValue(657, 2.5).fieldInt(172, 9).error("id", "no id");
    CaptureHarness h(b);
    h.executeCommand(1);
    h.executeCommand(2);
    h.setting("AxisLetter", "1");
    for (int i = 3; i <= 5; ++i) h.executeCommand(i);
    EXPECT_EQ(names(h), ".D S2. LOC1.D  ");
    EXPECT_EQ(h.record(4).Feat1 + "|" + h.record(4).Unit, "2.5|");
}

TEST(CaptureBadInput, KindsAndValuesOutsideTheTables) {
    HostFileBuilder b;
    b.dimension(4321, "ODD").unitCode(7).raw("dimension.nominal", "1e300").raw("dimension.measured", "-1e300");
    b.dimension(1000, "G").unitCode(9);
    b.dimension(1005, "G").locationAxis();
    b.comment(0, {"no event text"});
    b.statistics(7);
    b.decimalSetting(-3);
    test::typedPoint(b, "TXT").fieldValue(662, "abc");
    b.dimension(1100, "LAST");
    CaptureHarness h(b);
    h.setting("AxisLetter", "1");
    h.run.state.GroupUnit = "INCH";
    h.execute();
    ASSERT_EQ(names(h), "ODD.UnknownType G.D LAST.ST ");
    EXPECT_EQ(h.record(1).Unit + "|" + h.record(1).Meas.substr(0, 2), "|-1");
    EXPECT_EQ(h.record(2).Unit, "INCH");  // an unknown group unit leaves the one before
    EXPECT_EQ(h.record(3).Decimals, "0");
    EXPECT_EQ(h.run.CommentBlockCount() + h.run.state.CaptureOn, 0);
    expectInStep(h);
}

TEST(CaptureBadInput, LongCommentsAndLargeGroups) {
    const std::string line = std::string(150, 'a') + "\r\n" + std::string(150, 'b');
    for (const char* multiLine : {"0", "1"}) {
        HostFileBuilder b;
        b.comment(1, std::vector<std::string>(20, line));
        b.dimension(1000, "G");
        for (int i = 0; i < 25; ++i) b.dimension(1005, "G").locationAxis();
        CaptureHarness h(b);
        h.setting("MultiLine", multiLine);
        h.execute();
        ASSERT_EQ(h.count(), 25);
        const auto* first = h.run.commentBlock(h.record(1).CommentBlockIndex);
        ASSERT_NE(first, nullptr);
        const std::string cleaned = (std::string(150, 'a') + "  " + std::string(150, 'b')).substr(0, 255);
        EXPECT_EQ((*first)[1].size(), multiLine[0] == '1' ? 255u : 20 * 255u + 19 * 3);
        EXPECT_EQ((*first)[1].substr(0, 255), cleaned);
        // Past the 20th record of a group a comment line has no place.
        EXPECT_EQ(h.record(21).CommentBlockIndex == 0, multiLine[0] == '1');
    }
}

TEST(CaptureBadInput, AFullRunRefusesMoreAndTellsOnce) {
    HostFileBuilder b;
    b.dimension(1100, "MORE");
    test::typedPoint(b, "P");
    b.comment(1, {"a", "b"});
    b.traceField("K2005", "1,1");
    CaptureHarness h(b);
    for (int i = 0; i < capture::kMaxCount; ++i) h.run.appendCharacteristic()->Name = "held";
    h.window.entries.assign(capture::kMaxCount, "held");
    while (h.run.CommentBlockCount() < capture::kMaxCount - 20) h.run.appendCommentBlock();
    h.setting("MultiLine", "1");
    h.execute();
    h.execute();
    EXPECT_EQ(h.count(), capture::kMaxCount);
    EXPECT_EQ(h.record(capture::kMaxCount).Name, "held");
    expectInStep(h);
    EXPECT_EQ(h.run.CommentBlockCount(), capture::kMaxCount - 20);
    EXPECT_FALSE(h.run.state.CommentPending);
    EXPECT_EQ(h.run.qdasDataUpper(), -1);
    EXPECT_EQ(h.messages.texts(), std::vector<std::string>{settings::englishText(settings::Text::RunLimitReached)});

    h.setting("MultiLine", "0");
    h.executeCommand(3);
    EXPECT_EQ(h.run.CommentBlockCount(), capture::kMaxCount - 19);
    h.run.resetForOnlineStart();
    EXPECT_FALSE(h.run.state.LimitNoticeShown);
}

TEST(CaptureBadInput, TraceValuesOfAnyLengthAndContent) {
    HostFileBuilder b;
    b.traceField("K1203", std::string(100 * 1024, 'v'));
    b.traceField("K2005", std::string("\x01\x02\t", 3));
    b.traceField("K0009", " \x7f\r\n ");
    b.traceField("K2006", std::string(2000, ','));
    b.traceField("FileName", std::string(100 * 1024, 'f'));
    CaptureHarness h(b);
    h.execute();
    EXPECT_EQ(h.run.PartQdasData[1].fields[capture::field::K1203], std::string(80, 'v'));
    EXPECT_EQ(h.run.CharacteristicQdasData.at(1).fields[capture::field::K2005], "2");
    EXPECT_EQ(h.run.PartQdasData[1].fields[capture::field::K0009], "\x7f\r\n");
    EXPECT_EQ(h.run.qdasDataUpper(), 2000);
    EXPECT_EQ(h.run.FileNameText.size(), 100u * 1024);
    EXPECT_EQ(h.messages.shown.size(), 1u + 1 + 2000);
}
