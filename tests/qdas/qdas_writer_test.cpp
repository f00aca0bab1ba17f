#include "qdas/qdas_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "writer_fixture.h"

using namespace kelmar;
using namespace kelmar::test;
namespace names = kelmar::settings::names;
namespace field = kelmar::capture::field;

namespace {

std::string keptIn(const std::string& path) {
    return "The measurement was kept in " + path + ". Please upload it manually.";
}

class Writer : public ::testing::Test {
protected:
    WriterFixture f;

    bool write() {
        auto context = f.context();
        return qdas::WriteQdasFiles(context);
    }
    // The lines of a file in the output folder, which is then removed so the next run may write it again.
    std::vector<std::string> written(const std::string& name = "TESTPART.dfq") {
        EXPECT_TRUE(f.folder.exists("out/" + name)) << name;
        auto lines = crlfLines(f.folder.read("out/" + name));
        std::filesystem::remove(f.folder.file("out/" + name));
        return lines;
    }
};

TEST_F(Writer, CommentNamingLeavesOutTheSkipMarkerAndNumbersWithoutGaps) {
    f.run.DimensionName = true;
    f.run.DimensionNumber = true;
    f.addCommented("<<Bore", "1.00000");
    f.addCommented("<<#Datum", "2.00000");
    f.addCommented("<<Slot", "3.00000");
    ASSERT_TRUE(write());
    auto lines = written();
    EXPECT_EQ(valueOf(lines, "K0100"), "2");
    EXPECT_EQ(valueOf(lines, "K2002/1"), "Bore");
    EXPECT_EQ(valueOf(lines, "K2002/2"), "Slot");
    EXPECT_EQ(valueOf(lines, "K2001/2"), "2");  // Number 3 less the one left out
    EXPECT_EQ(valueOf(lines, "K2001/3"), std::nullopt);
    EXPECT_EQ(valueOf(lines, "K0001/2"), "3.00000");
    EXPECT_EQ(valueOf(lines, "K0001/3"), std::nullopt);
    EXPECT_EQ(valueOf(lines, "K2900/1"), std::nullopt);
    // The processed comment is written back; the left-out one stays as it was.
    EXPECT_EQ(f.run.CommentTable[1][1], "Bore");
    EXPECT_EQ(f.run.CommentTable[2][1], "<<#Datum");
    EXPECT_TRUE(f.window.marked);
}

TEST_F(Writer, CommentsThatNameNothingGetTheDefaultAndLongOnesAreCut) {
    f.run.DimensionName = true;
    f.addCommented("<<");
    f.addCommented("<<   ");
    f.addCommented(std::string(100, 'c'));
    // A comment that only becomes "<<#..." once processed keeps its place in blocks and values alike.
    f.addCommented("<<<<#late", "4.00000");
    ASSERT_TRUE(write());
    auto lines = written();
    const std::string missing = "Kommentar mit Merkmalsbezeichnung fehlt im Messprogramm";
    EXPECT_EQ(valueOf(lines, "K2002/2"), missing);
    EXPECT_EQ(valueOf(lines, "K2002/3"), std::string(80, 'c'));
    EXPECT_EQ(f.run.CommentTable[1][1], missing);
    EXPECT_EQ(f.run.CommentTable[3][1], std::string(80, 'c'));
    EXPECT_EQ(valueOf(lines, "K2002/4"), "<<#late");
    EXPECT_EQ(valueOf(lines, "K0001/4"), "4.00000");
}

TEST_F(Writer, AxisLetterAndPositionGroupsShapeTheBlocks) {
    f.set(names::AxisLetter, "1");
    auto& c = f.add("DIM1.X");
    c.Feat1 = "CIR1";
    c.Feat3 = "PLN1";
    c.GroupType = 2;
    f.add("NODOT").MemberOfGroup = 3;
    ASSERT_TRUE(write());
    auto lines = written();
    EXPECT_EQ(valueOf(lines, "K2001/1"), "DIM1");
    EXPECT_EQ(valueOf(lines, "K2002/1"), "X.CIR1");
    EXPECT_EQ(valueOf(lines, "K2001/2"), "NODOT");
    for (const char* key : {"K2008/1", "K2031/2"}) EXPECT_EQ(valueOf(lines, key), std::nullopt);

    f.set(names::UseQPos, "1");
    ASSERT_TRUE(write());
    lines = written();
    EXPECT_EQ(valueOf(lines, "K2008/1"), "2");
    EXPECT_EQ(valueOf(lines, "K2031/2"), "3");
    for (const char* key : {"K2030/1", "K2031/1", "K2008/2", "K2030/2"}) EXPECT_EQ(valueOf(lines, key), std::nullopt);
}

TEST_F(Writer, HeaderAndBlockInTheirOrderWithBlankPartFieldsLeftOut) {
    f.window.serial = "SN";
    auto& part = f.run.PartQdasData[1].fields;
    part[field::K1007] = " short ";
    part[field::K1010] = "   ";
    part[field::K2320] = "Ord";
    part[field::K8501] = "  ";
    part[field::K2005] = "part class";
    f.run.growQdasData(1);
    auto& own = f.run.CharacteristicQdasData[1].fields;
    for (int k : {field::K2005, field::K2006, field::K2060, field::K2404}) own[k] = " ";
    auto& c = f.add("D1.X");
    c.CommentBlockIndex = static_cast<std::int16_t>(*f.run.appendCommentBlock());
    f.run.CommentTable[1][1] = " note ";
    c.LowerNatural = true;
    ASSERT_TRUE(write());
    auto lines = written();
    std::vector<std::string> expected = {"K0100",   "K1001",   "K1002",   "K1004",   "K1007",   "K2004/0", "K2060/0",
                                         "K2061/0", "K2320/0", "K2001/1", "K2002/1", "K2005/1", "K2006/1", "K2022/1",
                                         "K2060/1", "K2101/1", "K2110/1", "K2111/1", "K2112/1", "K2113/1", "K2120/1",
                                         "K2121/1", "K2142/1", "K2404/1", "K2900/1", "K0001/1", "K0002/1", "K0004/1"};
    EXPECT_EQ(keysOf(lines), expected);
    EXPECT_EQ(valueOf(lines, "K1001"), "SN");
    EXPECT_EQ(valueOf(lines, "K1007"), " short ");
    EXPECT_EQ(valueOf(lines, "K2005/1"), " ");
    EXPECT_EQ(valueOf(lines, "K2120/1"), "2");
    EXPECT_EQ(valueOf(lines, "K2900/1"), " note ");
}

TEST_F(Writer, DfdAndDfxShareTheirNameAndSplitDescriptionFromValues) {
    f.set(names::DFD, "true");
    f.set(names::FileName2, "3");  // revision
    f.set(names::SEPERATOR, "1");
    f.window.part = "A";
    f.window.revision = "B";
    f.add("D1.X", "7.00000");
    ASSERT_TRUE(write());
    auto description = written("A__B.dfd");
    auto values = written("A__B.dfx");
    EXPECT_EQ(valueOf(description, "K0001/1"), std::nullopt);
    EXPECT_EQ(valueOf(values, "K0001/1"), "7.00000");
    EXPECT_EQ(keysOf(values).front(), "K0001/1");
    EXPECT_FALSE(f.folder.exists("TempData/A__B.dfd"));
}

TEST_F(Writer, ResultFoldersFollowTheOutOfToleranceValues) {
    f.set(names::UseFolders, "1");
    f.run.ReworkedPartFlag = true;
    f.add("A");
    ASSERT_TRUE(write());
    EXPECT_TRUE(f.folder.exists("out/PartOK/TESTPART.dfq"));
    EXPECT_FALSE(f.folder.exists("out/FirstParts"));

    f.add("B").OOT = "0.01000";
    ASSERT_TRUE(write());
    EXPECT_TRUE(f.folder.exists("out/PartOOT/TESTPART.dfq"));
}

TEST(WriterChecks, EachStoppingCheckShowsItsMessageAndKeepsTheMeasurementInTempData) {
    auto cannotCreate = [](const std::string& folder) {
        return "Software can't create the output folder " + folder + ". Please check your system privilegs";
    };
    // Each case arranges a fresh fixture and gives the one message it expects.
    std::vector<std::function<std::string(WriterFixture&)>> cases = {
        [](WriterFixture& w) { return w.window.count = 0, "No Characteristics for Output available."; },
        [](WriterFixture& w) { return w.set(names::SelectFolder, "1"), "No Path for output file selected."; },
        [](WriterFixture& w) {
            return w.set(names::PartProgFolder, "1"), "The part program gives no folder for the output file.";
        },
        [](WriterFixture& w) {
            return w.set(names::DIR, ""), "No folder for the output file is set. Please check your settings.";
        },
        [](WriterFixture& w) {
            w.set(names::DFD, "false");
            w.set(names::DFQ, "false");
            return "No format for the output file is set. Please check your settings.";
        },
        [](WriterFixture& w) {
            w.set(names::SelectFolder, "1");
            w.window.path = w.folder.file("gone");
            return "Selected folder didn't exist.";
        },
        [](WriterFixture& w) {
            w.args.set(2, " " + w.folder.file("gone") + " ");
            return "Folder in Command line didn't exist.";
        },
        [&](WriterFixture& w) {
            w.set(names::UseFolders, "1");
            w.files.fail(FileOp::CreateFolder, "FirstParts");
            return cannotCreate(platform::joinPath(w.out, "FirstParts"));
        },
    };
    for (const auto& arrange : cases) {
        WriterFixture w;
        w.add("A");
        const std::string message = arrange(w);
        auto context = w.context();
        EXPECT_FALSE(qdas::WriteQdasFiles(context)) << message;
        // Nothing to write: the one message says all.
        const bool kept = w.window.count > 0;
        std::vector<std::string> expected{message};
        if (kept) expected.push_back(keptIn(w.tempData("TESTPART.dfq")));
        EXPECT_EQ(w.messages.texts(), expected);
        EXPECT_EQ(w.folder.exists("TempData/TESTPART.dfq"), kept) << message;
        EXPECT_FALSE(w.folder.exists("UploadDebug.txt")) << message;
    }
    // A setup stored empty gives every name part -1: no name, so one that tells the part.
    {
        WriterFixture w;
        for (const char* name :
             {names::FileName1, names::FileName2, names::FileName3, names::FileName4, names::FileName5})
            w.set(name, "-1");
        w.add("A");
        auto context = w.context();
        EXPECT_FALSE(qdas::WriteQdasFiles(context));
        EXPECT_EQ(w.messages.texts(),
                  (std::vector<std::string>{"The settings give the output file no name. Please check your settings.",
                                            keptIn(w.tempData("TESTPART_A_1_1207014205.dfq"))}));
    }
    for (const char* name : {names::FileName1, names::FileName5, names::SEPERATOR, names::DIR, names::FileCounter,
                             names::SelectFolder, names::PartProgFolder, names::UseFolders, names::FileNameRule0}) {
        WriterFixture w(HostFileBuilder(), name);
        w.add("A");
        auto context = w.context();
        EXPECT_FALSE(qdas::WriteQdasFiles(context)) << name;
        ASSERT_EQ(w.messages.shown.size(), 2u) << name;
        EXPECT_EQ(w.messages.shown[0].kind, platform::MessageKind::Error);
        EXPECT_EQ(w.messages.shown[0].text,
                  "Settings for the output file are missing. Output will be canceled. Please check you settings.");
        // Kept under a name that still tells which part it belongs to.
        EXPECT_EQ(w.messages.shown[1].text, keptIn(w.tempData("TESTPART_A_1_1207014205.dfq"))) << name;
        EXPECT_TRUE(w.folder.exists("TempData/TESTPART_A_1_1207014205.dfq")) << name;
    }
}

TEST_F(Writer, ACounterIsUsedEvenWhenTheRunStopsAtTheFolderCheck) {
    f.set(names::FileCounter, "1");
    f.add("A");
    ASSERT_TRUE(write());
    EXPECT_TRUE(f.folder.exists("out/TESTPART_0001.dfq"));
    f.set(names::SelectFolder, "1");
    f.window.path = f.folder.file("gone");
    EXPECT_FALSE(write());
    EXPECT_EQ(f.folder.read("PartData/FileCounter__TESTPART__A__1.dat"), "0001\r\n0002\r\n");
}

TEST_F(Writer, FolderComesFromTheCommandLineOrThePartProgram) {
    WriterFixture w(HostFileBuilder().path(f.folder.file("prog")));
    f.folder.makeFolder("prog");
    w.folder.makeFolder("cmd");
    w.set(names::PartProgFolder, "1");
    w.add("A");
    auto context = w.context();
    ASSERT_TRUE(qdas::WriteQdasFiles(context));
    EXPECT_TRUE(f.folder.exists("prog/TESTPART.dfq"));
    w.args.set(2, w.folder.file("cmd"));
    ASSERT_TRUE(qdas::WriteQdasFiles(context));
    EXPECT_TRUE(w.folder.exists("cmd/TESTPART.dfq"));

    WriterFixture unreadable(HostFileBuilder().error("activePartProgram.path", "no path"));
    unreadable.set(names::PartProgFolder, "1");
    unreadable.add("A");
    auto fallback = unreadable.context();
    ASSERT_TRUE(qdas::WriteQdasFiles(fallback));
    EXPECT_TRUE(unreadable.folder.exists("out/TESTPART.dfq"));
}

TEST_F(Writer, ADescriptionNotWrittenCompletelyIsNeitherDistributedNorReportedAsDone) {
    f.add("A");
    f.files.diskFullAfter(40);
    EXPECT_FALSE(write());
    ASSERT_EQ(f.messages.shown.size(), 1u);
    // Every place that could keep it is named, with the system's reason.
    for (const std::string& folder : {f.tempData(), f.out, f.waitingFolder()})
        EXPECT_NE(f.messages.shown[0].text.find("written completely into " + folder + " ("), std::string::npos);
    EXPECT_NE(f.messages.shown[0].text.find("could not be saved anywhere"), std::string::npos);
    EXPECT_FALSE(f.folder.exists("TempData/TESTPART.dfq"));  // a half file never stays under a final name
    EXPECT_FALSE(f.folder.exists("out/TESTPART.dfq"));
    EXPECT_FALSE(f.folder.exists("UploadDebug.txt"));
}

TEST_F(Writer, TempDataThatRefusesTheFilesSendsThemStraightToTheirFolders) {
    f.set(names::DFD, "1");
    f.add("A");
    f.files.failCall(FileOp::Write, 2);  // the values, after the description, in TempData
    EXPECT_TRUE(write());
    ASSERT_EQ(f.messages.texts().size(), 1u);
    EXPECT_NE(f.messages.texts()[0].find(f.tempData()), std::string::npos);
    EXPECT_NE(f.messages.texts()[0].find("written straight into " + f.out), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(f.tempData()));  // never a description without its values
    EXPECT_TRUE(f.folder.exists("out/TESTPART.dfd") && f.folder.exists("out/TESTPART.dfx"));

    // No TempData at all and no output folder: the measurement waits in the user's folder, and says so.
    WriterFixture w;
    w.add("A");
    w.files.fail(FileOp::CreateFolder, "TempData");
    w.files.fail(FileOp::Create, w.out);
    auto context = w.context();
    EXPECT_FALSE(qdas::WriteQdasFiles(context));
    EXPECT_TRUE(w.folder.exists("user/waiting/TESTPART.dfq"));
    EXPECT_NE(w.messages.texts().back().find(w.waitingFolder("TESTPART.dfq") + ". It will be delivered again by itself."),
              std::string::npos);
}

// A large set goes to TempData while it is built. What arrives is the same, byte for byte,
// whether it went that way or, TempData failing part-way, was written whole from memory.
TEST(LargeRun, WrittenWhileBuiltGivesTheSameFilesAsWrittenWhole) {
    const std::vector<std::string> dfq = {"TESTPART.dfq"}, dfd = {"TESTPART.dfd", "TESTPART.dfx"};
    for (const std::vector<std::string>& names : {dfq, dfd}) {
        std::vector<std::string> arrived[2];
        for (int failing : {0, 1}) {
            WriterFixture w;
            if (names.size() == 2) w.set(names::DFD, "1");
            for (int i = 1; i <= 7000; ++i) w.add("C" + std::to_string(i), std::to_string(i) + ".00000");
            // A part of the first file fails; for the pair, the finish of the second.
            if (failing) w.files.fail(names.size() == 2 ? FileOp::Flush : FileOp::Write, w.tempData());
            auto context = w.context();
            ASSERT_TRUE(qdas::WriteQdasFiles(context)) << names[0] << " " << failing;
            EXPECT_EQ(w.messages.texts().size(), static_cast<std::size_t>(failing));
            EXPECT_TRUE(std::filesystem::is_empty(w.tempData())) << "no temporary is left";
            for (const std::string& name : names) arrived[failing].push_back(w.folder.read("out/" + name));
            if (!failing) {
                EXPECT_EQ(w.files.deviceFlushes(), static_cast<std::uint64_t>(w.files.flushesAskedFor()));
            }
        }
        // Not EXPECT_EQ: its diff of two large files would take for ever.
        for (std::size_t i = 0; i < names.size(); ++i)
            EXPECT_TRUE(arrived[0][i] == arrived[1][i])
                << names[i] << ": " << arrived[0][i].size() << " bytes written while built, " << arrived[1][i].size()
                << " written whole";
        EXPECT_TRUE(arrived[0].front().starts_with("K0100 7000\r\n"));
        EXPECT_TRUE(arrived[0].back().ends_with("K0001/7000 7000.00000\r\nK0002/7000 0\r\nK0004/7000 07.12.2026/01:42:05\r\n"))
            << arrived[0].back().substr(arrived[0].back().size() - 200);
    }
}

TEST_F(Writer, HostTextsStayInTheirFolderAndLineBreaksCannotSplitALine) {
    f.window.part = "../evil";
    f.run.PartQdasData[1].fields[field::K1900] = "two\r\nK0001/1 forged";
    f.run.PartQdasData[1].fields[field::K1303] = std::string("a\0b\x1B\x01" "c\x7F", 7);
    f.add("A");
    f.window.count = 5;  // a list longer than the table must not read past it
    ASSERT_TRUE(write());
    auto lines = written(".._evil.dfq");
    EXPECT_EQ(valueOf(lines, "K1900"), "two  K0001/1 forged");
    EXPECT_EQ(valueOf(lines, "K1303"), "a b  c ");
    EXPECT_EQ(valueOf(lines, "K0100"), "1");
}

}  // namespace
