#include "qdas/file_naming.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

using namespace kelmar::qdas;

namespace {

std::string name(std::array<int, 5> codes, int separator, const std::string& counter = "",
                 const std::string& fileNameText = "", FileNameRule rule = FileNameRule::Application,
                 const std::string& partName = "P100") {
    FileNameSources s{partName, "S7", "R3", fileNameText, DateTime{2026, 2, 3, 14, 5, 9}};
    return BuildOutputFileName(FileNameCodes{codes, separator}, counter, "dfq", rule, s);
}

TEST(FileNaming, TheExamplesAndEdgeCases) {
    EXPECT_EQ(name({0, 2, 0, 0, 0}, 2), "P100_S7.dfq");
    EXPECT_EQ(name({0, 2, 0, 0, 0}, 2, "0042"), "P100_S7_0042.dfq");
    EXPECT_EQ(name({0, 0, 3, 0, 0}, 2), "P100__R3.dfq");
    EXPECT_EQ(name({}, 2, "0042", "Line2", FileNameRule::GM), "Line2_0203140509.dfq");
    EXPECT_EQ(name({}, 2, "", "   ", FileNameRule::GM), "0203140509.dfq");
    EXPECT_EQ(name({5, 0, 0, 0, 0}, 2), ".dfq");
    EXPECT_EQ(name({5, 0, 0, 0, 0}, 2, "0007"), "_0007.dfq");
    EXPECT_EQ(name({9, 2, 0, 0, 0}, 2), "_S7.dfq");
    EXPECT_EQ(name({}, 2, "", "X", FileNameRule::Application, ""), "X.dfq");
}

TEST(FileNaming, EveryCodeOfEveryPartAndEverySeparator) {
    const std::vector<std::string> contents = {"P100", "S7", "R3", "2026-02-03", "14-05-09", "T"};
    for (int code = 0; code < 6; ++code) {
        EXPECT_EQ(name({code, 0, 0, 0, 0}, 2, "", "T"), contents[code] + ".dfq");
        // FileName5 shifts the codes up by one; its 0 is no part at all.
        EXPECT_EQ(name({0, 0, 0, 0, code + 1}, 2, "", "T"), "P100____" + contents[code] + ".dfq");
    }
    const std::vector<std::string> separators = {"___", "__", "_", "---", "--", "-", "___", "___"};
    for (int code = 0; code < 8; ++code) EXPECT_EQ(name({0, 2, 0, 0, 0}, code), "P100" + separators[code] + "S7.dfq");
}

TEST(FileNaming, HostTextsCannotLeaveTheFolder) {
    const std::string sep(1, kelmar::platform::pathSeparator());
    for (const std::string& built : {name({0, 0, 0, 0, 0}, 2, "", "", FileNameRule::Application, "../up"),
                                     name({5, 0, 0, 0, 0}, 2, "", "a/b"), name({}, 2, "", "..", FileNameRule::GM)}) {
        EXPECT_EQ(built.find('/'), std::string::npos) << built;
        EXPECT_EQ(built.find(sep), std::string::npos) << built;
    }
    EXPECT_EQ(name({0, 0, 0, 0, 0}, 2, "", "", FileNameRule::Application, "../up"), ".._up.dfq");
    // An empty folder never turns into a path at the root or below the working folder.
    EXPECT_EQ(inFolder("", "PartOK"), "");
}

TEST(FileNaming, ControlBytesBecomeUnderscoresAndLongPartsAreCutNeverTheCounter) {
    EXPECT_EQ(name({0, 0, 0, 0, 0}, 2, "", "", FileNameRule::Application, "line1\nline2\t\x1B\x7F"),
              "line1_line2___.dfq");
    // Short parts stay whole; the long ones are cut to the same length, room kept for "_2" ... "_9999".
    bool shortened = false;
    FileNameSources s{std::string(400, 'P'), "S7", std::string(300, 'R'), "", DateTime{2026, 2, 3, 14, 5, 9}};
    const std::string built = BuildOutputFileName(FileNameCodes{{0, 2, 3, 0, 0}, 2}, "0042", "dfq",
                                                  FileNameRule::Application, s, &shortened);
    EXPECT_TRUE(shortened);
    EXPECT_LE(built.size() + kTakenNameSuffixBytes, kelmar::platform::kLongestName);
    // ".dfq", "_0042", "S7" and two separators stay whole.
    const std::size_t cut = (kelmar::platform::kLongestName - kTakenNameSuffixBytes - 4 - 5 - 2 - 2) / 2;
    EXPECT_EQ(built, std::string(cut, 'P') + "_S7_" + std::string(cut, 'R') + "_0042.dfq");
    BuildOutputFileName(FileNameCodes{{0, 2, 3, 0, 0}, 2}, "0042", "dfq", FileNameRule::Application,
                        FileNameSources{"P", "S", "R", "", {}}, &shortened);
    EXPECT_FALSE(shortened);
    EXPECT_EQ(name({}, 2, "", std::string(600, 'F'), FileNameRule::GM).size() + kTakenNameSuffixBytes,
              kelmar::platform::kLongestName);
}

}  // namespace
