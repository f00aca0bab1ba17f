#pragma once
// The one object per process: it owns the process-wide data and the ports,
// and is the one controlled way out of the program.

#include "shell/file_dialogs.h"
#include "shell/host_connection.h"
#include "capture/run_data.h"
#include "host/sim/sim_host.h"
#include "platform/command_line.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "qdas/catalog_tables.h"
#include "settings/language_texts.h"
#include "settings/settings_store.h"

#include <memory>
#include <string>

namespace kelmar::shell {

// The process-wide data: replaced per run where the run says so, else kept until the end.
struct ProcessState {
    std::string programFolder;
    platform::CodePage codePage = platform::CodePage::Windows1252;
    settings::LanguageTexts texts;
    capture::RunData run;
    platform::CommandLineArgs args;
    HostConnection connection;
    // Filled by the catalog reader each time the data entry form opens.
    qdas::CatalogTables catalog;
    // Raw program arguments, parsed again at every start-up.
    std::vector<std::string> argv;
    // The minimise flag: read from Minimize when online mode is switched on, cleared by
    // "Offline"; the data entry form's OK minimises the main window by it.
    bool minimise = false;
    // Saved data entries that exist but could not be read, and no person has confirmed
    // the form since: an automatic output then lacks its part data and is kept back.
    bool savedEntriesUnread = false;
    // The same for saved entries that were read but refused by the form's own check.
    bool savedEntriesRefused = false;
    // Online mode is on: set when switching on succeeds, cleared when it ends.
    bool online = false;
};

// Where the ports come from; tests put their fakes here.
struct ProcessParts {
    std::unique_ptr<platform::FileSystem> files;
    std::unique_ptr<platform::Messages> messages;
    std::unique_ptr<settings::SettingsBackend> settingsBackend;
    std::unique_ptr<FileDialogs> dialogs;
    // A locator that finds no host when none runs.
    std::shared_ptr<host::HostLocator> locator;
    bool unattended = false;
};

class KelmarProcess {
public:
    KelmarProcess(ProcessState state, ProcessParts parts);

    ProcessState state;

    platform::FileSystem& files() { return *parts_.files; }
    platform::Messages& messages() { return *parts_.messages; }
    settings::SettingsStore& settings() { return settings_; }
    FileDialogs& dialogs() { return *parts_.dialogs; }
    host::HostLocator& locator() { return *parts_.locator; }
    // The simulated host, when the host is one.
    host::sim::SimHostLocator* simulatedHost();
    bool unattended() const { return parts_.unattended; }

    // Stops the host's execution, releases the host objects and leaves the event loop.
    void endProgram(int status);
    bool ending() const { return ending_; }
    int exitStatus() const { return exitStatus_; }

private:
    ProcessParts parts_;
    settings::SettingsStore settings_;
    bool ending_ = false;
    int exitStatus_ = 0;
};

}  // namespace kelmar::shell
