// The built program as a user runs it: a separate process, unattended and
// offscreen, against a host file, with its exit status and the written file.

#include "app/program_run.h"
#include "platform/product.h"
#include "support/host_file_builder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

using namespace kelmar;
using test::automaticRunInto, test::contentOf, test::filesIn, test::savedDataEntries, test::settingsFile,
    test::withTimeStampsMasked;
namespace fs = std::filesystem;

namespace {

void writeSettings(const test::TempFolder& home, const std::string& settings) {
    home.write("settings.ini", test::iniFileText(settings));
}

// The program against a host file with the settings of home/settings.ini, unattended.
test::ProgramRun runKelmar(const test::TempFolder& home, const std::string& hostFile,
                           std::vector<std::string> arguments) {
    return test::runKelmarProgram(home, std::move(arguments),
                                  {{"KELMAR_SETTINGS", home.file("settings.ini")},
                                   {"ORVELAN_SIM", hostFile},
                                   {"KELMAR_UNATTENDED", "1"}});
}

// Runs the bundled sample automatically in a fresh installation; the files written below "out".
std::vector<fs::path> runBundledSample(const test::TempFolder& home, bool dfd) {
    test::copyResources(home);
    home.makeFolder("out");
    writeSettings(home, settingsFile(home.path(), home.file("out"), dfd));
    home.write("PartData/Default.cfg", savedDataEntries());
    test::ProgramRun run = runKelmar(home, test::sourceDir() + "/examples/bracket.json", {"/I"});
    EXPECT_EQ(run.status, 0) << run.errors;
    return filesIn(home.file("out"));
}

test::HostFileBuilder bracket() {
    test::HostFileBuilder host;
    host.programName("BRACKET").fullName("C:\\Programs\\BRACKET.PRG").partName("BRACKET").revisionNumber("B");
    host.autoStart();
    host.comment(1, {"Bore"});
    host.dimension(1100, "DIM1").axisText("D").nominal(10).measured(10.004).tol(0.05, 0.05).features("CIR1");
    host.dimension(1101, "DIM2").axisText("FL").nominal(0).measured(0.013).tol(0.01, 0);
    return host;
}

}  // namespace

TEST(EndToEnd, AutomaticRunWritesIntoTheCommandLineFolderAndEndsWithZero) {
    test::TempFolder home;
    test::copyResources(home);
    home.makeFolder("out");
    home.makeFolder("given folder");
    writeSettings(home, settingsFile(home.path(), home.file("out"), false));
    ASSERT_TRUE(bracket().save(home.file("host.json")));

    // The folder argument is an absolute path, slashes and blank included.
    test::ProgramRun run = runKelmar(home, home.file("host.json"), automaticRunInto(home.file("given folder")));
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(filesIn(home.file("out")).empty());
    auto written = filesIn(home.file("given folder"));
    ASSERT_EQ(written.size(), 1u) << run.errors;
    EXPECT_EQ(written[0].extension(), ".dfq");
    const std::string content = contentOf(written[0]);
    EXPECT_NE(content.find("K1002 BRACKET\r\n"), std::string::npos) << content.substr(0, 400);
    EXPECT_NE(content.find("K2101/1 10"), std::string::npos);
    EXPECT_NE(content.find("K0001/2 0.013"), std::string::npos);
    // TempData is emptied by the distribution.
    EXPECT_TRUE(filesIn(home.file("TempData")).empty());
    // Standard error holds the program's own lines, none of Qt's.
    std::istringstream lines(run.errors);
    for (std::string line; std::getline(lines, line);) {
        bool own = false;
        for (const char* kind : {"[info] ", "[error] ", "[plain] ", "[question] "}) own = own || line.rfind(kind, 0) == 0;
        EXPECT_TRUE(own) << line;
    }
}

TEST(EndToEnd, StartupFailuresEndWithOne) {
    test::TempFolder home;
    test::copyResources(home);
    writeSettings(home, settingsFile(home.path(), home.file("out"), false));
    test::HostFileBuilder none;
    none.noPartProgram();
    ASSERT_TRUE(none.save(home.file("none.json")));
    test::ProgramRun run = runKelmar(home, home.file("none.json"), {"/I"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("[error]"), std::string::npos);
    EXPECT_NE(run.errors.find("'OrvConnect2'"), std::string::npos);

    home.write("broken.json", "{ \"window\": tru");
    run = runKelmar(home, home.file("broken.json"), {"/I"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("broken.json"), std::string::npos);

    fs::remove(home.file("Languages/resource.dll"));
    run = runKelmar(home, home.file("none.json"), {});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("resource.dll was not found."), std::string::npos);
}

TEST(EndToEnd, FailingWriterEndsAnUnattendedAutomaticRunWithOne) {
    test::TempFolder home;
    test::copyResources(home);
    // No output settings at all: the writer refuses.
    writeSettings(home, "[General]\nCatalogPathName=" + home.path() + "/Catalogs/MyCatalog.dfd\n");
    ASSERT_TRUE(bracket().save(home.file("host.json")));
    test::ProgramRun run = runKelmar(home, home.file("host.json"), {"/I"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("Settings for the output file are missing."), std::string::npos) << run.errors;
}

// Saved entries that cannot be read leave the part data out: the automatic run keeps
// its measurement back in TempData and does not claim success.
TEST(EndToEnd, UnreadableSavedEntriesKeepTheAutomaticOutputInTempData) {
    test::TempFolder home;
    test::copyResources(home);
    home.makeFolder("out");
    writeSettings(home, settingsFile(home.path(), home.file("out"), false));
    home.makeFolder("PartData/Default.cfg");
    test::ProgramRun run = runKelmar(home, test::sourceDir() + "/examples/bracket.json", {"/I"});
    EXPECT_EQ(run.status, 1) << run.errors;
    EXPECT_NE(run.errors.find("cannot be read"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("is not distributed"), std::string::npos) << run.errors;
    EXPECT_TRUE(filesIn(home.file("out")).empty());
    auto kept = filesIn(home.file("TempData"));
    ASSERT_EQ(std::count_if(kept.begin(), kept.end(), [](const fs::path& f) { return f.extension() == ".dfq"; }), 1);
}

// Runs that end without a whole delivered measurement say why and end with 1.
TEST(EndToEnd, AutomaticRunsThatDeliverNothingSaySoAndEndWithOne) {
    const std::string sample = test::sourceDir() + "/examples/bracket.json";
    {
        // Statistics commands steer the capture, and the part program sends none: the run is never closed.
        test::TempFolder home;
        test::copyResources(home);
        home.makeFolder("out");
        writeSettings(home, std::regex_replace(settingsFile(home.path(), home.file("out"), false),
                                                      std::regex("StatCmds=0"), "StatCmds=1"));
        home.write("PartData/Default.cfg", savedDataEntries());
        test::ProgramRun run = runKelmar(home, sample, {"/I"});
        EXPECT_EQ(run.status, 1) << run.errors;
        EXPECT_NE(run.errors.find("without closing the run"), std::string::npos) << run.errors;
    }
    {
        // A fresh installation: no saved entries are loaded and no default class is chosen.
        test::TempFolder home;
        test::copyResources(home);
        home.makeFolder("out");
        writeSettings(home, settingsFile(home.path(), home.file("out"), false) + "UseCFG=0\n");
        test::ProgramRun run = runKelmar(home, sample, {"/I"});
        EXPECT_EQ(run.status, 1) << run.errors;
        EXPECT_NE(run.errors.find("default characteristic class"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find("refused by the data entry form's check, so this output has no part data"),
                  std::string::npos)
            << run.errors;
        EXPECT_TRUE(filesIn(home.file("out")).empty());
    }
    {
        // A part program whose full name the host cannot give.
        test::TempFolder home;
        test::copyResources(home);
        writeSettings(home, settingsFile(home.path(), home.file("out"), false));
        home.write("host.json", R"({"activePartProgram": {"name": "X", "fullName": {"error": "gone"}}})");
        test::ProgramRun run = runKelmar(home, home.file("host.json"), {"/I"});
        EXPECT_EQ(run.status, 1) << run.errors;
        EXPECT_NE(run.errors.find("full name of the active part program cannot be read: "), std::string::npos)
            << run.errors;
    }
}

// The whole output of the bundled sample against the file checked by hand. The
// DFD + DFX pair holds the same lines, cut before the first value line.
TEST(EndToEnd, BundledSampleWritesTheGoldenFiles) {
    const std::string golden = contentOf(test::sourceDir() + "/tests/golden/bracket.dfq");
    ASSERT_FALSE(golden.empty());
    const size_t valuesStart = golden.find("\nK0001/1 ") + 1;
    ASSERT_GT(valuesStart, 0u);

    test::TempFolder dfqHome;
    auto dfq = runBundledSample(dfqHome, false);
    ASSERT_EQ(dfq.size(), 1u);
    EXPECT_EQ(dfq[0].filename(), "BRACKET BR-2210___0001.dfq");
    EXPECT_EQ(withTimeStampsMasked(contentOf(dfq[0])), golden);

    test::TempFolder dfdHome;
    auto pair = runBundledSample(dfdHome, true);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0].filename(), "BRACKET BR-2210___0001.dfd");
    EXPECT_EQ(pair[1].filename(), "BRACKET BR-2210___0001.dfx");
    EXPECT_EQ(contentOf(pair[0]), golden.substr(0, valuesStart));
    EXPECT_EQ(withTimeStampsMasked(contentOf(pair[1])), golden.substr(valuesStart));
}

// --help and --version answer without reading the host file or the settings; an unknown
// switch ends an unattended start with one line and status 2 instead of a run by hand.
TEST(EndToEnd, CommandLineAnswersHelpVersionAndUnknownArguments) {
    test::TempFolder home;
    test::copyResources(home);
    const std::string noHostFile = home.file("missing.json");

    test::ProgramRun run = runKelmar(home, noHostFile, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.output.rfind("Usage: kelmar [/A | /I] [OUTPUT-FOLDER]\n", 0), 0u) << run.output;

    run = runKelmar(home, noHostFile, {"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, std::string("Kelmar ") + platform::kVersion + "\n");

    run = runKelmar(home, noHostFile, {"/X", "/srv/out"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.errors, "[error] Unknown argument \"X\": start with /A, /I or no argument (kelmar --help lists them).\n");
    EXPECT_FALSE(home.exists("TempData"));
}
