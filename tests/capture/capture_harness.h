#pragma once
// A capture context over a simulated host, with a fake main window, for the capture tests.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/capture_context.h"
#include "settings/settings_backend.h"
#include "support/host_file_builder.h"
#include "support/recording_messages.h"

namespace kelmar::test {

// A kind-184 command of status 0 with every typed field capture reads: measured 1.5,
// nominal 1.4, tolerances 0.2, out of tolerance 0.1, unit mm, feature "FEAT".
CommandRef typedPoint(HostFileBuilder& builder, const std::string& id, int status = 0);

class FakeCaptureWindow final : public capture::CaptureWindow {
public:
    void appendListEntry(const std::string& text) override;
    void clearList() override { entries.clear(); }
    int listEntryCount() const override { return static_cast<int>(entries.size()); }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressValue(int value) override { progressValue = value; }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void stepProgress() override;
    void setStatusPanel(int panel, const std::string& text) override { panels.at(panel) = text; }

    std::vector<std::string> entries;
    int selected = -1;
    int progressMaximum = 0, progressValue = 0;
    bool progressVisible = false;
    std::array<std::string, 3> panels;
    // Called on every progress step, to look at the host while a walk runs.
    std::function<void()> onStep;
};

class CaptureHarness;
// The names of all records, each followed by a blank.
std::string names(const CaptureHarness& h);

class CaptureHarness {
public:
    // The English texts of the program folder, the builder's host, StatCmdSupport off.
    explicit CaptureHarness(const HostFileBuilder& builder);

    // Executes the part program through the host's events, as an online run does.
    void execute();
    // Hands one command (1-based) to OnObjectExecuted.
    void executeCommand(int index);
    bool importOffline();

    void setting(const std::string& name, const std::string& value) { backend.write(name, value); }
    const capture::Characteristic& record(int index) const { return run.CharacteristicTable.at(index); }
    int count() const { return run.CharacteristicCount(); }
    host::sim::SimApplication& application() { return *host->application(); }
    // The part program the harness attached to, also after the host closed it.
    host::sim::SimPartProgram& program() { return *attachedProgram; }

    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::LanguageTexts texts;
    RecordingMessages messages;
    platform::CommandLineArgs commandLine;
    std::unique_ptr<host::sim::SimHostLocator> host;
    std::shared_ptr<host::sim::SimPartProgram> attachedProgram;
    FakeCaptureWindow window;
    std::string attachedFullName;
    capture::RunData run;
    int endOfRunCalls = 0;
    int formOpenings = 0;
    capture::CaptureContext context;
};

}  // namespace kelmar::test
