#include <gtest/gtest.h>

#include "capture_harness.h"

using namespace kelmar;
using test::CaptureHarness;
using test::HostFileBuilder;
using test::names;

namespace {

// Coordinate axes X, Y (, Z) of tolerance 0.3 closed by a 1209 value of plus tolerance 0.2.
void positionGroup(HostFileBuilder& b, const std::string& id, int axes) {
    b.dimension(1200, id);
    for (int i = 0; i < axes; ++i)
        b.dimension(1202 + i, id).axisText(std::string(1, char('X' + i))).positionAxis().nominal(5).tol(0.3, 0.3);
    b.dimension(1209, id).axisText("TP").positionAxis().tol(0.2, 0).deviation(0.05);
    b.command(1201);
}

// Location axes "A", "B", ... with the group's feature "CIR1".
void locationGroup(HostFileBuilder& b, const std::string& id, int axes) {
    b.dimension(1000, id).features("CIR1");
    for (int i = 0; i < axes; ++i) b.dimension(1005, id).axisText(std::string(1, char('A' + i))).locationAxis();
    b.command(1001);
}

std::string commentOf(const CaptureHarness& h, int record) {
    const auto* block = h.run.commentBlock(h.record(record).CommentBlockIndex);
    return block ? (*block)[1] : "-";
}

std::vector<std::string> values(const capture::Characteristic& c) {
    return {c.Meas, c.Nom, c.UTol, c.LTol, c.USL, c.LSL, c.Dev, c.OOT, c.Unit, c.Feat1 + "|" + c.Feat2 + "|" + c.Feat3};
}

}  // namespace

TEST(OnlineCapture, SingleValuesFollowTheRecordRulesWithSettingsReadAtEachUse) {
    HostFileBuilder b;
    b.dimension(1100, "DIM1").axisText("D").nominal(10).measured(10.004).tol(0.05, 0.03).features("CIR1", "PLN1");
    b.decimalSetting(3);
    b.dimension(1108, "ANG1").inch().marked();
    b.dimension(1100, "OFF").mode(1);
    b.dimension(1100, "DIM1").axisText("D");
    CaptureHarness h(b);
    h.run.DimensionNumber = true;
    for (int i = 1; i <= 4; ++i) h.executeCommand(i);
    h.setting("AxisLetter", "1");
    h.setting("Attribute255", "true");
    h.executeCommand(5);

    ASSERT_EQ(h.count(), 3);
    EXPECT_EQ(values(h.record(1)), (std::vector<std::string>{"10.00400", "10.00000", "0.05000", "-0.03000", "10.05",
                                                             "9.97", "0.00400", "0.00000", "MM", "CIR1|PLN1|"}));
    EXPECT_EQ(h.record(1).Number + h.record(1).Attribute + h.record(1).Decimals, "12564");
    EXPECT_EQ(h.record(2).Unit + h.record(2).Attribute + h.record(2).Decimals, "DEG03");
    EXPECT_EQ(std::make_pair(h.record(1).LowerNatural, h.record(2).LowerNatural), std::make_pair(true, false));
    EXPECT_EQ(h.record(3).Attribute, "255");
    EXPECT_EQ(h.window.entries, (std::vector<std::string>{"    1  DIM1.D", "    2  ANG1.M", "    3  DIM1.ST"}));
    EXPECT_EQ(h.window.selected, 2);
    EXPECT_EQ(h.window.progressValue, 5);

    h.attachedFullName = "C:\\Programs\\OTHER.PRG";  // events of another part program change nothing
    h.execute();
    EXPECT_EQ(h.count(), 3);
    EXPECT_EQ(h.window.progressValue, 5);
}

TEST(OnlineCapture, PositionGroupsNumberTwoAxesWithdrawThreeAndHalveTolerances) {
    for (const char* useQPos : {"1", "0"}) {
        HostFileBuilder b;
        positionGroup(b, "P1", 2);
        positionGroup(b, "P2", 3);
        positionGroup(b, "P3", 2);
        CaptureHarness h(b);
        h.setting("UseQPos", useQPos);
        h.execute();
        ASSERT_EQ(h.count(), 10);
        for (int i : {1, 2, 4, 5, 6, 8, 9}) {
            const auto v = values(h.record(i));
            EXPECT_EQ(v[2] + " " + v[3] + " " + v[4] + " " + v[5], "0.10000 -0.10000 5.1 4.9") << i;
            EXPECT_EQ(h.run.CharacteristicQdasData.at(i).fields[capture::field::K2005], "1");
        }
        EXPECT_EQ(h.record(1).Name + " " + h.record(3).Meas, "P1.X 0.05000");
        EXPECT_TRUE(h.record(3).LowerNatural);
        // MemberOfGroup, GroupNumber, GroupType per record; without Q-DAS positions all stay 0.
        std::string fields;
        for (int i = 1; i <= 10; ++i)
            fields += std::to_string(h.record(i).MemberOfGroup) + std::to_string(h.record(i).GroupNumber) +
                      std::to_string(h.record(i).GroupType) + " ";
        EXPECT_EQ(fields, useQPos[0] == '1' ? "100 100 012 000 000 000 000 200 200 022 "
                                            : "000 000 000 000 000 000 000 000 000 000 ");
    }
}

TEST(OnlineCapture, GroupAxesAreNamedAfterTheirGroupWhateverTheirOwnIds) {
    HostFileBuilder b;
    b.dimension(1200, "POS1");
    for (int i = 0; i < 2; ++i)
        b.dimension(1202 + i, "AXIS" + std::to_string(i))
            .dimensionId("OTHER" + std::to_string(i))
            .axisText(std::string(1, char('X' + i)))
            .positionAxis()
            .nominal(5)
            .tol(0.3, 0.3);
    b.dimension(1209, "AXISTP").dimensionId("OTHERTP").axisText("TP").positionAxis().tol(0.2, 0);
    b.command(1201);
    b.dimension(1000, "LOC1").features("CIR1");
    b.dimension(1005, "AXISA").dimensionId("OTHERA").axisText("A").locationAxis();
    b.command(1001);
    CaptureHarness h(b);
    h.execute();
    ASSERT_EQ(h.count(), 4);
    EXPECT_EQ(h.record(1).Name + " " + h.record(2).Name + " " + h.record(3).Name + " " + h.record(4).Name,
              "POS1.X POS1.Y POS1.TP LOC1.A");
}

TEST(OnlineCapture, QueuedNamesAndCommentsGoToTheNextRecordsInOrder) {
    for (const char* multiLine : {"1", "0"}) {
        HostFileBuilder b;
        b.traceField("K2001", "First");
        b.traceField("K2001", " Second ");
        b.comment(1, {"one", "two\r\n", "three"});
        locationGroup(b, "LOC1", 3);
        b.comment(2, {"not an event text"});
        b.comment(1, {"single"});
        b.dimension(1100, "S1").axisText("D");
        b.dimension(1100, "S2");
        locationGroup(b, "LOC2", 1);
        b.at(b.commandCount() - 1).axisText("");
        CaptureHarness h(b);
        h.setting("MultiLine", multiLine);
        h.execute();
        ASSERT_EQ(h.count(), 6);
        // The queue names the group by position and ends with it; a group value gets a bare point.
        EXPECT_EQ(names(h), "First Second LOC1.C S1.D S2.M LOC2. ");
        EXPECT_EQ(h.record(3).Feat1, "CIR1");
        const bool perLine = multiLine[0] == '1';
        EXPECT_EQ(commentOf(h, 1) + "|" + commentOf(h, 2) + "|" + commentOf(h, 3),
                  perLine ? "one|two  |three" : "one / two   / three|one / two   / three|one / two   / three");
        EXPECT_EQ(commentOf(h, 4) + "|" + commentOf(h, 5), "single|-");  // a single value uses up its block
        EXPECT_EQ(h.run.CommentBlockCount(), perLine ? 42 : 2);
    }
}

TEST(OnlineCapture, StatisticsAndTraceFieldsSwitchCaptureAndEndTheRun) {
    HostFileBuilder b;
    b.dimension(1100, "BEFORE");
    b.traceField("K2001", "Ignored");
    b.comment(1, {"ignored"});
    b.statistics(1);
    b.dimension(1100, "ON");
    b.statistics(0);
    b.dimension(1100, "OFF");
    b.statistics(2, "  /srv/qdas/out ");
    b.dimension(1100, "AFTER");
    CaptureHarness h(b);
    h.run.state.StatCmdSupport = true;
    h.commandLine = platform::splitCommandLine("/I", 2);
    h.execute();
    EXPECT_EQ(names(h), "ON.M ");
    EXPECT_EQ(h.record(1).CommentBlockIndex, 0);
    EXPECT_EQ(h.endOfRunCalls, 1);
    EXPECT_EQ(h.window.panels[2], "OFF");
    EXPECT_EQ(h.commandLine.arg(1) + " " + h.commandLine.arg(2), "I /srv/qdas/out");

    HostFileBuilder t;
    for (const char* value : {"1", "x", "0", "E"}) t.traceField("QDAS", value);
    t.traceField("FileName", " part/7 ");
    t.traceField("FileName", "   ");
    CaptureHarness q(t);
    const char* panels[] = {"ON", "ON", "OFF", "END"};
    for (int i = 1; i <= 4; ++i) {
        q.executeCommand(i);
        EXPECT_EQ(q.run.state.CaptureOn, i <= 2) << i;
        EXPECT_EQ(q.window.panels[2], panels[i - 1]) << i;
        EXPECT_EQ(q.endOfRunCalls, i == 4 ? 1 : 0) << i;
    }
    q.executeCommand(5);
    q.executeCommand(6);
    EXPECT_EQ(q.run.FileNameText, "part/7");  // taken unchanged online
    EXPECT_TRUE(q.messages.shown.empty());
}

TEST(OnlineCapture, TypedFieldCommandsOfKind184) {
    HostFileBuilder b;
    test::typedPoint(b, "PNT1");
    test::typedPoint(b, "SKIPPED", 2);
    b.comment(1, {"kept"});
    b.traceField("K2001", "Named");
    test::typedPoint(b, "PNT3", 1);
    test::typedPoint(b, "PNT4");
    CaptureHarness h(b);
    h.execute();
    EXPECT_EQ(names(h), "PNT1 Named PNT4 ");
    EXPECT_EQ(values(h.record(1)), (std::vector<std::string>{"1.50000", "1.40000", "0.20000", "-0.20000", "1.6", "1.2",
                                                             "1.50000", "0.10000", "MM", "FEAT||"}));
    EXPECT_TRUE(h.record(1).LowerNatural);
    EXPECT_EQ(commentOf(h, 2) + " " + commentOf(h, 3), "kept kept");  // kind 184 leaves the block in place
}
