#include "qdas/part_data_file.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "support/faulty_file_system.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

using namespace kelmar;
using namespace kelmar::qdas;

namespace {

int lineOf(std::string_view control) {
    for (int i = 0; i < kPartDataLineCount; ++i)
        if (kPartDataLines[i].control == control) return i;
    ADD_FAILURE() << "no line for " << control;
    return 0;
}

PartDataValue text(std::string t) { return {std::move(t), -1, {}}; }
PartDataValue position(int p) { return {"", p, {}}; }
PartDataValue positions(std::vector<int> list) { return {"", -1, std::move(list)}; }

// A file of 24 lines with the given lines (1-based) filled, the others empty.
std::string fileWith(std::initializer_list<std::pair<int, std::string>> lines) {
    std::vector<std::string> all(kPartDataLineCount);
    for (const auto& [number, content] : lines) all[static_cast<size_t>(number - 1)] = content;
    std::string file;
    for (const auto& line : all) file += line + "\r\n";
    return file;
}

PartData everyKindFilled() {
    PartData data;
    for (int i = 0; i < kPartDataLineCount; ++i) {
        switch (kPartDataLines[i].kind) {
            case PartDataKind::GroupPosition:
                data[i] = position(2);
                break;
            case PartDataKind::EventPositions:
                data[i] = positions({0, 3, 5});
                break;
            case PartDataKind::ListPosition:
                data[i] = position(i % 3 - 1);
                break;
            case PartDataKind::Text:
                data[i] = text("text \xE4 " + std::to_string(i));
                break;
            case PartDataKind::Caption:
                data[i] = text("[3 1,5 2]");
                break;
        }
    }
    return data;
}

}  // namespace

TEST(PartDataFileName, OneFileForAllOrOnePerPartProgramWithSafeNameParts) {
    EXPECT_EQ(partDataFileName(true, "BRACKET", "B"), "Default.cfg");
    EXPECT_EQ(partDataFileName(false, "BRACKET", "B"), "BRACKET__B.cfg");
    EXPECT_EQ(partDataFileName(false, "", ""), "__.cfg");
    // Host texts never lead the file out of PartData.
    EXPECT_EQ(partDataFileName(false, "../up", "a/b\\c"), ".._up__a_b_c.cfg");
    EXPECT_EQ(partDataFileName(false, "..", "."), "_____.cfg");
    EXPECT_EQ(partDataFolder("/home/k"), platform::joinPath("/home/k", "PartData"));
}

TEST(PartDataText, WritesTwentyFourLinesInTheOrderOfTheControlsAndReadsThemBack) {
    PartData data = everyKindFilled();
    std::string written = partDataText(data);
    auto lines = platform::splitLines(written);
    ASSERT_EQ(lines.size(), 24u);
    // Every line ends in CR LF, and no other line end is in the text.
    std::string rebuilt;
    for (const auto& line : lines) rebuilt += line + "\r\n";
    EXPECT_EQ(rebuilt, written);

    EXPECT_EQ(lines[0], "2");
    EXPECT_EQ(lines[1], "0,3,5");
    EXPECT_EQ(lines[lineOf("txtCharge")], "text \xE4 2");
    EXPECT_EQ(lines[lineOf("lblProcessParameter")], "[3 1,5 2]");
    EXPECT_EQ(lines[lineOf("ComboK1209")], "1");
    EXPECT_EQ(lines[lineOf("comboNest")], "-1");
    EXPECT_EQ(parsePartData(written), data);

    // Nothing chosen, or nothing held: the kind's "none".
    lines = platform::splitLines(partDataText(PartData{}));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[lineOf("ComboMMKlasse")], "-1");
    EXPECT_EQ(lines[lineOf("txtWerk")], "");
}

TEST(PartDataText, ALineBreakInsideATextNeverShiftsTheLinesAfterIt) {
    PartData data = everyKindFilled();
    data[lineOf("txtText")] = text("two\r\nlines\rand\nmore");
    PartData back = parsePartData(partDataText(data));
    EXPECT_EQ(back[lineOf("txtText")]->text, "two  lines and more");
    EXPECT_EQ(back[lineOf("comboMaschine")], data[lineOf("comboMaschine")]);
    EXPECT_EQ(back[lineOf("ComboK1209")], data[lineOf("ComboK1209")]);
}

TEST(PartDataParse, PositionsThatAreNoNumberOrOutsideAListAreLeftOut) {
    // The group line alone reads "no number" (nothing was selected when saving) as the first group.
    EXPECT_EQ(parsePartData(fileWith({{1, ""}}))[0], position(0));
    EXPECT_EQ(parsePartData(fileWith({{1, "abc"}}))[0], position(0));
    EXPECT_EQ(parsePartData(fileWith({{1, " 4 "}}))[0], position(4));
    for (const char* unfit : {"-1", "32767", "99999999999"}) EXPECT_FALSE(parsePartData(fileWith({{1, unfit}}))[0]);

    const int line = lineOf("comboMaschine") + 1;
    EXPECT_EQ(parsePartData(fileWith({{line, "-1"}}))[line - 1], position(-1));
    EXPECT_EQ(parsePartData(fileWith({{line, "12"}}))[line - 1], position(12));
    for (const char* unfit : {"", "-2", "3.5", "seven", "40000", "0x1"})
        EXPECT_FALSE(parsePartData(fileWith({{line, unfit}}))[line - 1]) << unfit;
}

TEST(PartDataParse, EventPositionsAreTakenOneByOneSkippingPiecesThatDoNotFit) {
    EXPECT_EQ(parsePartData(fileWith({{2, "0,3,5"}}))[1]->positions, (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(parsePartData(fileWith({{2, "5,x,,3,-2,32767, 0 ,3,1e3"}}))[1]->positions, (std::vector<int>{0, 3, 5}));
    EXPECT_TRUE(parsePartData(fileWith({{2, ""}}))[1]->positions.empty());
    // A hostile line of many pieces stays bounded: each position at most once.
    std::string many;
    for (int i = 0; i < 200000; ++i) many += std::to_string(i % 7) + ",";
    EXPECT_EQ(parsePartData(fileWith({{2, many}}))[1]->positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(PartDataParse, ShortLongAndBinaryFilesKeepEachLineToItsOwnControl) {
    // Short: the rest hold nothing, except the caption, which reads as an empty K0011.
    PartData shortFile = parsePartData("1\r\n2,4\nSN 7\r");
    EXPECT_EQ(shortFile[0], position(1));
    EXPECT_EQ(shortFile[1], positions({2, 4}));
    EXPECT_EQ(shortFile[2], text("SN 7"));
    for (int i = 3; i < kPartDataLineCount; ++i)
        EXPECT_EQ(shortFile[i], i == lineOf("lblProcessParameter") ? std::optional(text("[]")) : std::nullopt) << i;
    EXPECT_FALSE(parsePartData("")[0]);

    // Long: lines past the 24th change nothing.
    EXPECT_EQ(parsePartData(fileWith({{24, "3"}}) + "9\r\n9\r\n")[23], position(3));

    // Binary: bytes stay in their text line; a position line of bytes drops out.
    PartData binary = parsePartData(std::string("\x01\r\n\0\xFF\r\na\0b\xFE\r\n\x7F\0\r\n", 17));
    EXPECT_EQ(binary[0], position(0));
    EXPECT_EQ(binary[2], text(std::string("a\0b\xFE", 4)));
    EXPECT_FALSE(binary[3]);
}

class PartDataFileTest : public ::testing::Test {
protected:
    test::TempFolder home;
    test::FaultyFileSystem files;
    test::RecordingMessages messages;
    kelmar::settings::LanguageTexts texts;
    std::string path(const std::string& name) { return platform::joinPath(partDataFolder(home.path()), name); }
};

TEST_F(PartDataFileTest, SaveCreatesTheFolderAndReplacesAnEarlierFileWhole) {
    PartData data = everyKindFilled();
    ASSERT_TRUE(SavePartDataFile(files, messages, texts, home.path(), "Default.cfg", data));
    EXPECT_TRUE(home.exists("PartData/Default.cfg"));
    EXPECT_EQ(home.read("PartData/Default.cfg"), partDataText(data));

    data[0] = position(-1);
    ASSERT_TRUE(SavePartDataFile(files, messages, texts, home.path(), "Default.cfg", data));
    auto back = ReadPartDataFile(files, path("Default.cfg"));
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[0], position(0));  // saved with no group: reloads the first
    EXPECT_EQ((*back)[lineOf("txtK1900")], data[lineOf("txtK1900")]);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PartDataFileTest, AFolderThatCannotBeMadeOrAFailedWriteIsReportedNotTakenForSaved) {
    files.fail(test::FileOp::CreateFolder, "PartData");
    EXPECT_FALSE(SavePartDataFile(files, messages, texts, home.path(), "Default.cfg", everyKindFilled()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Plain);
    EXPECT_EQ(messages.shown[0].text, "System can't create the folder " + partDataFolder(home.path()) +
                                          platform::pathSeparator() + ". Please check your privilegs");
    EXPECT_FALSE(home.exists("PartData"));

    files.clearFaults();
    files.fail(test::FileOp::Write, "Default.cfg");
    EXPECT_FALSE(SavePartDataFile(files, messages, texts, home.path(), "Default.cfg", everyKindFilled()));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find(path("Default.cfg")), std::string::npos);
}

TEST_F(PartDataFileTest, AMissingOrUnreadableFileReadsAsNothing) {
    EXPECT_FALSE(ReadPartDataFile(files, path("Default.cfg")));
    home.write("PartData/Default.cfg", fileWith({{1, "1"}}));
    files.fail(test::FileOp::Read, "Default.cfg");
    EXPECT_FALSE(ReadPartDataFile(files, path("Default.cfg")));
}

TEST_F(PartDataFileTest, ASavedFileThatExistsButCannotBeReadIsReportedOnce) {
    EXPECT_FALSE(LoadPartDataFile(files, messages, texts, path("Default.cfg")));
    EXPECT_TRUE(messages.shown.empty());  // no saved file yet: nothing to tell

    home.write("PartData/Default.cfg", partDataText(everyKindFilled()));
    EXPECT_EQ(LoadPartDataFile(files, messages, texts, path("Default.cfg")), everyKindFilled());
    files.fail(test::FileOp::Read, "Default.cfg");
    EXPECT_FALSE(LoadPartDataFile(files, messages, texts, path("Default.cfg")));
    files.clearFaults();
    home.write("PartData/Default.cfg", std::string("1\r\n\0\x1B\x02\xFF\r\n", 9));
    EXPECT_FALSE(LoadPartDataFile(files, messages, texts, path("Default.cfg")));
    home.write("PartData/Default.cfg", std::string(kMaxPartDataFileBytes + 1, '1'));
    EXPECT_FALSE(LoadPartDataFile(files, messages, texts, path("Default.cfg")));
    home.makeFolder("PartData/A__B.cfg");
    EXPECT_FALSE(LoadPartDataFile(files, messages, texts, path("A__B.cfg")));

    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(messages.shown[3].text,
              "The saved entries " + path("A__B.cfg") + " cannot be read. The form opens without them.");
}
