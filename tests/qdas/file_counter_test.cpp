#include "qdas/file_counter.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "support/faulty_file_system.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

using namespace kelmar::qdas;
using namespace kelmar::test;

namespace {

class FileCounter : public ::testing::Test {
protected:
    TempFolder folder;
    FaultyFileSystem files;
    RecordingMessages messages;
    kelmar::settings::LanguageTexts texts;

    std::string next() { return NextFileCounter(files, messages, texts, folder.file("counter.dat")).counter; }
    std::string nextAfter(const std::string& content) { return folder.write("counter.dat", content), next(); }
};

TEST_F(FileCounter, StartsAtOneAndLogsEveryNumber) {
    EXPECT_EQ(next(), "0001");
    EXPECT_EQ(folder.read("counter.dat"), "0001\r\n");
    EXPECT_EQ(nextAfter("0040\r\n0041\r\n"), "0042");
    EXPECT_EQ(folder.read("counter.dat"), "0040\r\n0041\r\n0042\r\n");
    EXPECT_EQ(nextAfter("42\r\n"), "0043");
    // A last line without its line end must not run into the new one.
    EXPECT_EQ(nextAfter("0041"), "0042");
    EXPECT_EQ(next(), "0043");
    for (const char* content : {"", "0041\r\n\r\n", "text\r\n", "-5\r\n", "99999999999999\r\n"})
        EXPECT_EQ(nextAfter(content), "0001") << content;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileCounter, RunsThroughNineThousandNineHundredNinetyNineToZeroAndOn) {
    EXPECT_EQ(nextAfter("9998\r\n"), "9999");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(next(), "0000");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, kelmar::platform::MessageKind::Plain);
    EXPECT_EQ(messages.shown[0].text,
              "File counter is higher then 9999. Please reset the file counter for this part program.\n"
              "For the actual file the system will use 0000 as file counter.");
    EXPECT_EQ(next(), "0001");
    EXPECT_EQ(folder.read("counter.dat"), "9998\r\n9999\r\n0000\r\n0001\r\n");
    EXPECT_EQ(nextAfter("12345\r\n"), "0000");
}

TEST_F(FileCounter, ACounterThatCannotBeAdvancedIsReported) {
    folder.write("counter.dat", "0007\r\n");
    files.fail(FileOp::Append);
    EXPECT_EQ(next(), "0008");
    EXPECT_FALSE(NextFileCounter(files, messages, texts, folder.file("counter.dat")).saved);
    EXPECT_EQ(messages.shown.size(), 2u);
    // A folder in its place is neither read as a new counter nor silently passed over.
    files.clearFaults();
    folder.makeFolder("folder.dat");
    EXPECT_FALSE(NextFileCounter(files, messages, texts, folder.file("folder.dat")).saved);
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(FileCounter, OnlyTheEndOfALongFileIsRead) {
    std::string log;
    for (int i = 0; i < 20000; ++i) log += "0041\r\n";
    EXPECT_EQ(nextAfter(log + "0042"), "0043");
    EXPECT_EQ(nextAfter(log + std::string(300, '1') + "\r\n"), "0001");  // a last line longer than any counter
    EXPECT_EQ(nextAfter(log + "0042\r\n\r\n"), "0001");                  // an empty last line, as before
    EXPECT_TRUE(messages.shown.empty());
}

TEST(FileCounterPath, OneFilePerPartRevisionAndSerialWithSafeNames) {
    const std::string data = kelmar::platform::joinPath("home", "PartData");
    EXPECT_EQ(FileCounterFilePath("home", "P", "B", "SN42"),
              kelmar::platform::joinPath(data, "FileCounter__P__B__SN42.dat"));
    EXPECT_EQ(FileCounterFilePath("home", "a/b", "..", ""),
              kelmar::platform::joinPath(data, "FileCounter__a_b______.dat"));
}

}  // namespace
