#pragma once
// A process with a temporary program folder, the shipped resources, a memory
// settings store, recorded messages and a simulated host from a builder.

#include "shell/kelmar_process.h"
#include "settings/settings_backend.h"
#include "support/host_file_builder.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <memory>

namespace kelmar::test {

// File dialogs that answer from a script; cancelled when nothing is scripted.
class ScriptedFileDialogs final : public shell::FileDialogs {
public:
    std::optional<std::string> nextFile;
    std::optional<shell::ChosenFolder> nextFolder;
    int opened = 0;
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&) override {
        ++opened;
        return std::exchange(nextFile, std::nullopt);
    }
    std::optional<shell::ChosenFolder> chooseFolder(const std::string&, const std::string&) override {
        ++opened;
        return std::exchange(nextFolder, std::nullopt);
    }
};

struct AppFixture {
    TempFolder home;
    RecordingMessages* messages = nullptr;
    settings::MemorySettingsBackend* settings = nullptr;
    ScriptedFileDialogs* dialogs = nullptr;
    PostQueue queue;
    std::unique_ptr<shell::KelmarProcess> process;

    // host: null for a machine where no host runs.
    explicit AppFixture(const HostFileBuilder* host, std::vector<std::string> argv = {"kelmar"});
    // A host found through the given locator (another process's host, for one).
    AppFixture(std::shared_ptr<host::HostLocator> locator, std::vector<std::string> argv);

private:
    void start(std::shared_ptr<host::HostLocator> locator, std::vector<std::string> argv);
};

}  // namespace kelmar::test
