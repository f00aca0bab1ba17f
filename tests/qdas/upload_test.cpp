#include "qdas/upload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "writer_fixture.h"

using namespace kelmar;
using namespace kelmar::test;
namespace names = kelmar::settings::names;

namespace {

class Upload : public ::testing::Test {
protected:
    WriterFixture f;
    std::string sep = std::string(1, platform::pathSeparator());

    void SetUp() override {
        for (const char* sub : {"out/PartOK", "out/PartOOT", "out/FirstParts", "monitor"}) f.folder.makeFolder(sub);
        f.set(names::DIR_MONITOR, f.folder.file("monitor"));
    }
    // Puts the run's files into TempData, as the writer leaves them.
    void stage(bool dfd, const std::string& text = "data") {
        for (const char* ext : dfd ? std::vector<const char*>{".dfd", ".dfx"} : std::vector<const char*>{".dfq"})
            f.folder.write("TempData/TESTPART" + std::string(ext), text + ext);
    }
    bool upload(bool partOK, bool reworked, bool dfd) {
        auto context = f.context();
        return qdas::fctUploadFiles(context, f.out, partOK, reworked, dfd, "TESTPART");
    }
    std::vector<std::string> log() { return crlfLines(f.folder.read("UploadDebug.txt")); }
    std::string copyText(const std::string& file, const std::string& to) {
        return "Copy of " + f.tempData(file) + " to " + platform::joinPath(f.out, to) + " in progress...";
    }
};

TEST_F(Upload, RoutingTableForBothFormats) {
    // UseFolders, OK, reworked, and the folders below out/ that receive each file.
    using Route = std::tuple<bool, bool, bool, std::vector<std::string>>;
    const std::vector<Route> routes = {{true, true, false, {"PartOK/", "FirstParts/"}},
                                       {true, true, true, {"PartOK/"}},
                                       {true, false, false, {"PartOOT/", "FirstParts/"}},
                                       {true, false, true, {"PartOOT/"}},
                                       {false, true, false, {""}},
                                       {false, false, true, {""}}};
    for (bool dfd : {false, true}) {
        for (const auto& [useFolders, partOK, reworked, destinations] : routes) {
            f.set(names::UseFolders, useFolders ? "1" : "0");
            stage(dfd);
            EXPECT_TRUE(upload(partOK, reworked, dfd));
            for (std::string ext : dfd ? std::vector<std::string>{".dfd", ".dfx"} : std::vector<std::string>{".dfq"}) {
                EXPECT_FALSE(f.folder.exists("TempData/TESTPART" + ext));
                for (std::string folder : {"", "PartOK/", "PartOOT/", "FirstParts/"}) {
                    const std::string file = "out/" + folder + "TESTPART" + ext;
                    const bool expected = std::count(destinations.begin(), destinations.end(), folder) > 0;
                    EXPECT_EQ(f.folder.exists(file), expected) << file;
                    std::filesystem::remove(f.folder.file(file));
                }
            }
        }
    }
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_TRUE(std::filesystem::is_empty(f.folder.file("monitor")));
}

TEST_F(Upload, TheDebugLogAndStatusOfADfqRun) {
    f.set(names::UseFolders, "1");
    stage(false);
    ASSERT_TRUE(upload(true, false, false));
    const std::vector<std::string> expected = {
        "\"Upload Debug File\"",     "\"Status Message: Upload running\"",
        "\"DFQ - Format\"",          "\"DFQ UseFolders=True\"",
        "\"blnPartOK=TRUE\"",        "\"" + copyText("TESTPART.dfq", "PartOK") + "\"",
        "\"blnReworkedPart=FALSE\"", "\"" + copyText("TESTPART.dfq", "FirstParts") + "\"",
        "\"End of Upload\"",         "\"fctUploadFiles= True\""};
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(f.window.status, (std::vector<std::string>{"Upload running", copyText("TESTPART.dfq", "PartOK"),
                                                         copyText("TESTPART.dfq", "FirstParts"), "Upload done"}));
    EXPECT_EQ(f.folder.read("out/PartOK/TESTPART.dfq"), "data.dfq");
}

TEST_F(Upload, AFileAlreadyInPartOKIsNeverReplaced) {
    f.set(names::UseFolders, "1");
    f.folder.write("out/PartOK/TESTPART.dfq", "older");
    stage(false);
    EXPECT_FALSE(upload(true, false, false));
    EXPECT_EQ(f.folder.read("out/PartOK/TESTPART.dfq"), "older");
    EXPECT_TRUE(f.folder.exists("out/FirstParts/TESTPART.dfq"));
    EXPECT_TRUE(f.folder.exists("TempData/TESTPART.dfq"));
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(f.messages.shown[0].text, "Copy of " + f.tempData("TESTPART.dfq") + "\nto\n" +
                                            platform::joinPath(f.out, "PartOK") +
                                            "\nfailed. Please upload the file manually.");
    // Then where it waits, that it goes again by itself, and the log that tells the rest.
    const std::string kelmarLog = f.folder.file("Kelmar.log");
    EXPECT_EQ(f.messages.shown[1].text, "The measurement TESTPART waits in " + f.tempData() +
                                            " and will be delivered again by itself. Details are in " + kelmarLog +
                                            ".");
    EXPECT_EQ(log().back(), "\"fctUploadFiles= False\"");
    const std::vector<std::string> lines = crlfLines(f.folder.read("Kelmar.log"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "2026-12-07 01:42:05 Copy of " + f.tempData("TESTPART.dfq") + " to " +
                            platform::joinPath(f.out, "PartOK") + " failed (a file of that name is already there)");
    EXPECT_EQ(lines[1], "2026-12-07 01:42:05 Delivered TESTPART from " + f.tempData() + " to " +
                            f.folder.file("out/FirstParts/TESTPART"));
}

TEST_F(Upload, AFailedDescriptionCopyKeepsBothFilesInTempData) {
    f.files.fail(FileOp::Copy, ".dfd");
    stage(true);
    EXPECT_FALSE(upload(true, true, true));
    EXPECT_TRUE(f.folder.exists("TempData/TESTPART.dfd"));
    EXPECT_TRUE(f.folder.exists("TempData/TESTPART.dfx"));
    EXPECT_FALSE(f.folder.exists("out/TESTPART.dfx"));  // never values without their description
    const std::string entry =
        "\"fctCopyFile(TESTPART.dfd," + f.out + "," + f.folder.path() + " " + sep + " TempData; ) = False\"";
    auto lines = log();
    EXPECT_NE(std::find(lines.begin(), lines.end(), entry), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "\"Upload of TESTPART.dfx in progress ...\""), lines.end());
}

TEST_F(Upload, ACopyThatFailsHalfWayLeavesNothingInTheDestination) {
    for (FileOp op : {FileOp::Copy, FileOp::Rename}) {
        f.files.clearFaults();
        f.files.fail(op, f.out);
        stage(false);
        EXPECT_FALSE(upload(true, true, false));
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(f.out))
            if (entry.is_regular_file()) left.push_back(entry.path().filename().string());
        EXPECT_TRUE(left.empty()) << left.front();
        EXPECT_TRUE(f.folder.exists("TempData/TESTPART.dfq"));
    }
}

TEST_F(Upload, MonitoringNumbersTheValueFilesAcrossRuns) {
    f.set(names::MONITOR, "1");
    const std::string monitor = "monitor/TESTPART_A_1/";
    stage(true, "first");
    ASSERT_TRUE(upload(true, true, true));
    std::filesystem::remove_all(f.out);
    f.folder.makeFolder("out");
    stage(true, "second");
    ASSERT_TRUE(upload(true, true, true));
    EXPECT_EQ(f.folder.read(monitor + "00000001.dfd"), "first.dfd");
    EXPECT_EQ(f.folder.read(monitor + "00000001.dfx"), "first.dfx");
    EXPECT_EQ(f.folder.read(monitor + "00000002.dfx"), "second.dfx");
    EXPECT_FALSE(f.folder.exists(monitor + "00000003.dfx"));
}

TEST_F(Upload, NoMonitoringNumberLeftFailsWithoutOverwriting) {
    f.set(names::MONITOR, "1");
    const std::string monitor = "monitor/TESTPART_A_1/";
    f.folder.makeFolder(monitor);
    for (int k = 1; k <= 9999; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "%08d.dfx", k);
        std::ofstream(f.folder.file(monitor + name)) << "old";
    }
    stage(true);
    EXPECT_FALSE(upload(true, true, true));
    EXPECT_EQ(f.messages.texts().at(0), "Copy of Monitoring file \nTESTPART.dfx\nto\n" +
                                            platform::joinPath(f.folder.file("monitor"), "TESTPART_A_1") + " failed.");
    EXPECT_EQ(f.folder.read(monitor + "00009999.dfx"), "old");
    EXPECT_FALSE(f.folder.exists(monitor + "00010000.dfx"));
    EXPECT_TRUE(f.folder.exists("TempData/TESTPART.dfx"));
}

TEST_F(Upload, AMonitoringFolderThatCannotBeMadeIsReported) {
    f.set(names::MONITOR, "1");
    f.files.fail(FileOp::CreateFolder, "TESTPART_A_1");
    stage(true);
    EXPECT_FALSE(upload(true, true, true));
    ASSERT_GE(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "System can't create the folder for the Q-DAS Moitoring file.");
    EXPECT_TRUE(f.folder.exists("TempData/TESTPART.dfd"));
}

TEST_F(Upload, AFileThatCannotBeDeletedIsOnlyLogged) {
    f.files.fail(FileOp::Remove, "TempData");
    stage(false);
    EXPECT_TRUE(upload(true, true, false));
    auto lines = log();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "\"Error during Kill of " + f.tempData("TESTPART.dfq") + "\""),
              lines.end());
    EXPECT_TRUE(f.messages.shown.empty());
}

}  // namespace
