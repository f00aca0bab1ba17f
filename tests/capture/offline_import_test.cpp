#include <gtest/gtest.h>

#include "capture_harness.h"

using namespace kelmar;
using test::CaptureHarness;
using test::HostFileBuilder;

TEST(OfflineImport, AnEmptyPartProgramLeavesAnEmptyTableAndStillOpensTheForm) {
    CaptureHarness h{HostFileBuilder()};
    h.run.appendCharacteristic();
    h.window.appendListEntry("from before");
    ASSERT_TRUE(h.importOffline());
    EXPECT_EQ(h.count() + h.window.listEntryCount(), 0);
    EXPECT_EQ(h.formOpenings, 1);
    EXPECT_EQ(h.window.panels[2], "Offline import finished");
    EXPECT_FALSE(h.window.progressVisible);
    EXPECT_EQ(h.run.qdasDataUpper(), 0);
    EXPECT_TRUE(h.application().DisplayFlag());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(OfflineImport, EveryCommandCountsWithTheOfflineDifferences) {
    HostFileBuilder b;
    b.statistics(0);
    b.dimension(1100, "A");
    b.statistics(2, "/elsewhere");
    b.traceField("QDAS", "E");
    b.dimension(1100, "B").mode(2);
    b.traceField("K0053", std::string(25, 'o'));
    b.traceField("FileName", "lot\\7");
    b.comment(1, {"c"});
    b.dimension(1100, "C");
    CaptureHarness h(b);
    h.run.state.StatCmdSupport = true;
    std::vector<bool> displayDuringWalk;
    h.window.onStep = [&] { displayDuringWalk.push_back(h.application().DisplayFlag()); };

    for (int pass = 0; pass < 2; ++pass) {  // a second import numbers from 1 again
        h.messages.shown.clear();
        // The import keeps to the program attached at start, whatever the host shows now.
        if (pass == 1) h.application().closePartProgram();
        ASSERT_TRUE(h.importOffline());
        EXPECT_EQ(h.window.entries, (std::vector<std::string>{"A.M", "B.M", "C.M"}));
        EXPECT_EQ(h.record(3).Number, "3");
        EXPECT_EQ(h.endOfRunCalls + h.commandLine.count(), 0);
        EXPECT_EQ(h.run.FileNameText, "Default");
        EXPECT_EQ(h.messages.texts(),
                  (std::vector<std::string>{
                      "Trace Value for K=0053 uses more then 20 characters. The string will be cut to 20 characters.",
                      "Trace Field 'FileName' Value includes an error.\n'Default' will be used as String."}));
    }
    EXPECT_EQ(displayDuringWalk, std::vector<bool>(18, false));
    EXPECT_TRUE(h.application().DisplayFlag());
    EXPECT_EQ(std::make_pair(h.window.progressMaximum, h.window.progressValue), std::make_pair(9, 9));
    for (int i : {2, 5, 9}) EXPECT_TRUE(h.program().commandList()[i - 1]->isPrepared()) << i;
    // Missing settings count as true offline and are written back.
    EXPECT_EQ(h.record(1).Attribute, "255");
    EXPECT_EQ(h.backend.values().at("Attribute255") + h.backend.values().at("MultiLine"), "truetrue");
    EXPECT_EQ((*h.run.commentBlock(h.record(3).CommentBlockIndex))[1], "c");
}

TEST(OfflineImport, SkippedLocationAxesKeepTheirPlaceInTheGroupOnlyOffline) {
    HostFileBuilder b;
    b.traceField("K2001", "N1");
    b.traceField("K2001", "N2");
    b.dimension(1000, "LOC");
    b.dimension(1011, "LOC").axisText("A").locationAxis();
    b.dimension(1005, "LOC").axisText("B").locationAxis();
    b.command(1001);
    CaptureHarness online(b), offline(b);
    online.execute();
    ASSERT_TRUE(offline.importOffline());
    ASSERT_EQ(online.count() + offline.count(), 2);
    EXPECT_EQ(online.record(1).Name + " " + offline.record(1).Name, "N1 N2");
}

TEST(OfflineImport, DecimalPlacesComeFromTheHostOption) {
    const std::pair<const char*, const char*> cases[] = {{"5", "4"},    {" 3 ", "2"}, {nullptr, "4"},
                                                         {"five", "4"}, {"0", "0"},   {"error", "4"}};
    for (const auto& [option, decimals] : cases) {
        HostFileBuilder b;
        if (option && std::string(option) == "error") {
            b.error("options", "the registry cannot be read");
        } else if (option) {
            b.option("DimensionDecimalPlaces", option);
        }
        b.dimension(1100, "A");
        CaptureHarness h(b);
        ASSERT_TRUE(h.importOffline());
        EXPECT_EQ(h.record(1).Decimals, decimals) << (option ? option : "none");
    }
}

TEST(OfflineImport, AFailedHostCallEndsTheImportWithItsMessage) {
    HostFileBuilder failingDimension, noCommands, failingComment;
    failingDimension.dimension(1100, "A");
    failingDimension.dimension(1100, "B").error("dimension.nominal", "busy");
    noCommands.error("activePartProgram.commands", "locked");
    failingComment.comment(1, {"a"}).error("comment.lines", "gone");

    for (const HostFileBuilder* b : {&failingDimension, &noCommands, &failingComment}) {
        CaptureHarness h(*b);
        EXPECT_FALSE(h.importOffline());
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].kind, platform::MessageKind::Error);
        EXPECT_EQ(h.messages.texts()[0],
                  "Values can't read correctly because an error appeared. Error Code 'fctGetValuesOffline'");
        EXPECT_EQ(h.formOpenings, 0);
        EXPECT_FALSE(h.window.progressVisible);
        EXPECT_TRUE(h.application().DisplayFlag());
    }
}
