#include "capture/run_data.h"

#include <gtest/gtest.h>

using namespace kelmar::capture;

TEST(QdasDataRecord, KeyTableIsFixed) {
    EXPECT_STREQ(QdasDataRecord::keyOf(0), "K0005");
    EXPECT_STREQ(QdasDataRecord::keyOf(25), "K2005");
    EXPECT_STREQ(QdasDataRecord::keyOf(27), "");
    EXPECT_STREQ(QdasDataRecord::keyOf(35), "K8501");
    EXPECT_STREQ(QdasDataRecord::keyOf(36), "");
    EXPECT_EQ(QdasDataRecord::indexOf("K2060"), 28);
    EXPECT_EQ(QdasDataRecord::indexOf("K1001"), std::nullopt);
    EXPECT_EQ(QdasDataRecord::indexOf(""), std::nullopt);
    for (int i = 0; i < QdasDataRecord::kSize; ++i) {
        if (*QdasDataRecord::keyOf(i)) {
            EXPECT_EQ(QdasDataRecord::indexOf(QdasDataRecord::keyOf(i)), i);
        }
    }
}

TEST(RunData, AppendsNumberFromOneAndLeavesRecordZeroEmpty) {
    RunData run;
    Characteristic* first = run.appendCharacteristic();
    ASSERT_NE(first, nullptr);
    first->Name = "DIM1.D";
    run.appendCharacteristic();
    EXPECT_EQ(run.CharacteristicCount(), 2);
    EXPECT_EQ(run.CharacteristicTable[1].Number, "1");
    EXPECT_EQ(run.CharacteristicTable[2].Number, "2");
    EXPECT_EQ(run.CharacteristicTable[0].Name, "");
}

TEST(RunData, RefusesToPassTheSixteenBitLimitWithoutTouchingWhatIsHeld) {
    RunData run;
    for (int i = 0; i < kMaxCount; ++i) ASSERT_NE(run.appendCharacteristic(), nullptr);
    run.CharacteristicTable[kMaxCount].Name = "last";
    EXPECT_EQ(run.appendCharacteristic(), nullptr);
    EXPECT_EQ(run.CharacteristicCount(), kMaxCount);
    EXPECT_EQ(run.CharacteristicTable[kMaxCount].Number, "32767");
    EXPECT_EQ(run.CharacteristicTable[kMaxCount].Name, "last");
    EXPECT_EQ(run.state.SequenceNumber, kMaxCount);

    for (int i = 0; i < kMaxCount; ++i) ASSERT_TRUE(run.appendCommentBlock());
    EXPECT_FALSE(run.appendCommentBlock());
    EXPECT_EQ(run.CommentBlockCount(), kMaxCount);

    EXPECT_FALSE(run.growQdasData(kMaxCount + 1));
    EXPECT_TRUE(run.growQdasData(kMaxCount));
    EXPECT_EQ(run.qdasDataUpper(), kMaxCount);
}

TEST(RunData, QdasDataGrowsAheadAndKeepsItsContents) {
    RunData run;
    EXPECT_EQ(run.qdasDataUpper(), -1);
    run.appendCharacteristic();
    ASSERT_TRUE(run.growQdasData(run.CharacteristicCount() + 3));
    run.CharacteristicQdasData[4].fields[field::K2005] = "2";
    ASSERT_TRUE(run.growQdasData(2));  // never shrinks
    EXPECT_EQ(run.qdasDataUpper(), 4);
    EXPECT_EQ(run.CharacteristicQdasData[4].fields[field::K2005], "2");
}

TEST(RunData, OnlineStartKeepsTheCommentTableButRestartsItsCount) {
    RunData run;
    run.appendCharacteristic();
    int block = *run.appendCommentBlock();
    run.CommentTable[block][1] = "old";
    run.CommentTable[block][2] = "old 2";
    run.appendName("Bore");
    run.state.CommentPending = true;
    run.state.GroupUnit = "MM";
    run.state.PositionGroupCounter = 3;
    run.state.GroupCharCount = 2;

    run.resetForOnlineStart();
    EXPECT_EQ(run.CharacteristicCount(), 0);
    EXPECT_EQ(run.state.SequenceNumber, 0);
    EXPECT_EQ(run.CommentBlockCount(), 0);
    EXPECT_EQ(run.NameQueueCount(), 0);
    EXPECT_FALSE(run.state.CommentPending);
    EXPECT_EQ(run.state.GroupUnit, "");
    EXPECT_EQ(run.state.PositionGroupCounter, 0);
    EXPECT_EQ(run.state.GroupCharCount, 2);  // not part of the online reset
    // The block is reused from index 1, its first line rewritten.
    EXPECT_EQ(*run.appendCommentBlock(), 1);
    EXPECT_EQ(run.CommentTable[1][1], "");
    EXPECT_EQ(run.CommentTable[1][2], "old 2");
    EXPECT_EQ(run.appendCharacteristic()->Number, "1");
}

TEST(RunData, OfflineStartAndGroupEndReset) {
    RunData run;
    run.appendCharacteristic();
    run.appendCommentBlock();
    run.PendingComments[1] = 1;
    run.PendingComments[20] = 4;
    run.appendName("A");
    run.state.GroupCharCount = 3;
    run.state.GroupPositionAxes = 2;

    run.resetAtGroupEnd();
    EXPECT_EQ(run.PendingComments[1], 0);
    EXPECT_EQ(run.PendingComments[20], 4);
    EXPECT_EQ(run.state.GroupCharCount, 0);
    EXPECT_EQ(run.state.GroupPositionAxes, 0);
    EXPECT_EQ(run.NameQueueCount(), 0);
    EXPECT_EQ(run.CharacteristicCount(), 1);

    run.resetForOfflineStart();
    EXPECT_EQ(run.CharacteristicCount(), 0);
    EXPECT_EQ(run.CommentTable.size(), 1u);
    EXPECT_EQ(run.PendingComments[20], 0);
    EXPECT_EQ(run.commentBlock(1), nullptr);
}

TEST(RunData, BothRunStartsForgetThePreviousRunsQdasDataAndFileName) {
    for (void (RunData::*reset)() : {&RunData::resetForOnlineStart, &RunData::resetForOfflineStart}) {
        RunData run;
        run.PartQdasData[1].fields[field::K0008] = "101";
        run.PartQdasData[1].fields[field::K1053] = "gage";
        ASSERT_TRUE(run.growQdasData(3));
        run.CharacteristicQdasData[3].fields[field::K2005] = "1";
        run.FileNameText = "Line2";

        (run.*reset)();
        EXPECT_EQ(run.PartQdasData[1].fields, QdasDataRecord{}.fields);
        EXPECT_EQ(run.qdasDataUpper(), -1);
        EXPECT_EQ(run.FileNameText, "");
    }
}
