#include "app/process_from_environment.h"

#include "app/qsettings_backend.h"
#include "app/qt_messages.h"
#include "host/no_host.h"
#include "host/sim/sim_host_file.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "shell/qt_file_dialogs.h"
#ifdef _WIN32
#include "host/win/locator.h"
#include "settings/win/registry_settings_backend.h"
#endif

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace kelmar::app {
namespace {

// ORVELAN_SIM_AUTOSTART=0 lets a person run a sample by hand: the host waits for "Execute"
// in its window, whatever the file says; 1 starts the execution by itself.
void overrideAutoStart(host::sim::HostModel& model) {
    const char* value = std::getenv("ORVELAN_SIM_AUTOSTART");
    if (!value || (std::string_view(value) != "0" && std::string_view(value) != "1")) return;
    if (!model.execution) model.execution.emplace();
    model.execution->autoStart = std::string_view(value) == "1";
}

}  // namespace

std::unique_ptr<shell::KelmarProcess> makeProcessFromEnvironment(int argc, char** argv, host::sim::Poster poster) {
    shell::ProcessState state;
    state.codePage = platform::installationCodePage();
    state.programFolder = platform::programFolder(argc > 0 ? argv[0] : nullptr);
    for (int i = 0; i < argc; ++i) state.argv.emplace_back(argv[i]);

    shell::ProcessParts parts;
    parts.unattended = platform::unattendedMode();
    parts.files = platform::makeDiskFileSystem();
    QtMessages* boxes = nullptr;
    if (parts.unattended) {
        parts.messages = std::make_unique<platform::UnattendedMessages>(std::cerr, state.codePage);
        parts.dialogs = std::make_unique<shell::UnattendedFileDialogs>();
    } else {
        auto qtMessages = std::make_unique<QtMessages>();
        boxes = qtMessages.get();
        parts.messages = std::move(qtMessages);
        parts.dialogs = std::make_unique<shell::QtFileDialogs>(state.codePage);
    }
#ifdef _WIN32
    // The registry is the store of an installation; KELMAR_SETTINGS still chooses a file.
    if (const char* file = std::getenv("KELMAR_SETTINGS"); !file || !*file)
        parts.settingsBackend = std::make_unique<settings::RegistrySettingsBackend>(
            HKEY_LOCAL_MACHINE, settings::kRegistrySettingsKey, state.codePage, *parts.messages, &state.texts);
#endif
    if (!parts.settingsBackend)
        parts.settingsBackend = std::make_unique<QSettingsBackend>(
            QString::fromStdString(platform::settingsFilePath(state.programFolder)), state.codePage);

    if (const char* simFile = std::getenv("ORVELAN_SIM"); simFile && *simFile) {
        std::string error;
        if (auto model = host::sim::loadHostFile(*parts.files, simFile, state.codePage, error)) {
            overrideAutoStart(*model);
            parts.locator = std::make_shared<host::sim::SimHostLocator>(std::move(*model), std::move(poster));
        } else
            parts.messages->error(platform::kApplicationTitle, error);
    } else {
#ifdef _WIN32
        // Created here, on the UI thread and before any window, as COM wants it.
        parts.locator = std::make_shared<host::win::ComHostLocator>(state.codePage);
#endif
    }
    if (!parts.locator) parts.locator = std::make_shared<host::NoHostLocator>();
    auto process = std::make_unique<shell::KelmarProcess>(std::move(state), std::move(parts));
    // Boxes show language texts, so they follow the code page of the active language file.
    if (boxes) boxes->setLanguage(&process->state.texts);
    return process;
}

}  // namespace kelmar::app
