// kelmar.exe as a measuring station runs it: orvelan-sim.exe serves the bundled
// sample through COM in its own process, the settings of a configured installation
// are in the registry, and the program finds both by itself.

#include "app/program_run.h"
#include "host/sim/win/sim_process.h"
#include "platform/messages.h"
#include "settings/win/registry_settings_backend.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kelmar;
using host::sim::win::SimProcess;

namespace {

// The installation's settings key filled from an INI text, removed again at the end.
class InstalledSettings {
public:
    explicit InstalledSettings(const std::string& ini) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, settings::kRegistrySettingsKey);
        std::ostringstream refusals;
        platform::UnattendedMessages messages(refusals, platform::CodePage::Windows1252);
        settings::RegistrySettingsBackend registry(HKEY_LOCAL_MACHINE, settings::kRegistrySettingsKey,
                                                   platform::CodePage::Windows1252, messages);
        std::istringstream lines(ini);
        for (std::string line; std::getline(lines, line);)
            if (const auto eq = line.find('='); eq != std::string::npos)
                written_ = registry.write(line.substr(0, eq), line.substr(eq + 1)) && written_;
    }
    ~InstalledSettings() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, settings::kRegistrySettingsKey); }
    bool written() const { return written_; }

private:
    bool written_ = true;
};

struct ComRun {
    test::ProgramRun run;
    std::vector<std::filesystem::path> delivered;
    std::vector<std::filesystem::path> kept;
};

// One automatic run of the bundled sample through COM into home/out.
ComRun runBundledSampleThroughCom(const test::TempFolder& home, bool unattended,
                                  const std::string& hostSwitches = "") {
    test::copyResources(home);
    home.makeFolder("out");
    home.makeFolder("TempData");
    home.write("PartData/Default.cfg", test::savedDataEntries());
    InstalledSettings installed(test::settingsFile(home.path(), home.file("out"), false));
    EXPECT_TRUE(installed.written());
    SimProcess host(test::sourceDir() + "/examples/bracket.json", hostSwitches);
    EXPECT_TRUE(host.ready());
    test::Environment environment;
    if (unattended) environment.emplace_back("KELMAR_UNATTENDED", "1");
    ComRun result;
    result.run = test::runKelmarProgram(home, {"/I"}, environment);
    result.delivered = test::filesIn(home.file("out"));
    result.kept = test::filesIn(home.file("TempData"));
    return result;
}

}  // namespace

// The Linux run of the same sample through the in-process host writes the golden file too.
TEST(ComEndToEnd, AutomaticRunsThroughComWriteTheGoldenFile) {
    const std::string golden = test::contentOf(test::sourceDir() + "/tests/golden/bracket.dfq");
    ASSERT_FALSE(golden.empty());
    for (bool unattended : {true, false}) {
        SCOPED_TRACE(unattended ? "unattended" : "attended");
        test::TempFolder home;
        ComRun result = runBundledSampleThroughCom(home, unattended);
        EXPECT_EQ(result.run.status, 0) << result.run.errors;
        ASSERT_EQ(result.delivered.size(), 1u) << result.run.errors;
        EXPECT_EQ(result.delivered[0].filename(), "BRACKET BR-2210___0001.dfq");
        EXPECT_EQ(test::withTimeStampsMasked(test::contentOf(result.delivered[0])), golden);
        EXPECT_TRUE(result.kept.empty());
    }
}

// The host ends in the middle of the run: no end of run will come, and the
// unattended automatic run must not claim success.
TEST(ComEndToEnd, AHostThatEndsDuringTheRunEndsTheUnattendedRunWithOne) {
    test::TempFolder home;
    ComRun result = runBundledSampleThroughCom(home, true, "--exit-after-calls 40");
    EXPECT_EQ(result.run.status, 1) << result.run.errors;
    EXPECT_NE(result.run.errors.find("No Characteristics for Output available."), std::string::npos)
        << result.run.errors;
    EXPECT_TRUE(result.delivered.empty());
}
