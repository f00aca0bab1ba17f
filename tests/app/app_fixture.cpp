#include "app_fixture.h"

namespace kelmar::test {

AppFixture::AppFixture(const HostFileBuilder* host, std::vector<std::string> argv) {
    start(host ? makeSimHost(*host, queue.poster()) : nullptr, std::move(argv));
}

AppFixture::AppFixture(std::shared_ptr<host::HostLocator> locator, std::vector<std::string> argv) {
    start(std::move(locator), std::move(argv));
}

void AppFixture::start(std::shared_ptr<host::HostLocator> locator, std::vector<std::string> argv) {
    copyResources(home);
    shell::ProcessState state;
    state.programFolder = home.path();
    state.argv = std::move(argv);
    shell::ProcessParts parts;
    parts.files = platform::makeDiskFileSystem();
    auto recorded = std::make_unique<RecordingMessages>();
    messages = recorded.get();
    parts.messages = std::move(recorded);
    auto store = std::make_unique<settings::MemorySettingsBackend>();
    settings = store.get();
    parts.settingsBackend = std::move(store);
    auto scripted = std::make_unique<ScriptedFileDialogs>();
    dialogs = scripted.get();
    parts.dialogs = std::move(scripted);
    parts.locator = std::move(locator);
    process = std::make_unique<shell::KelmarProcess>(std::move(state), std::move(parts));
}

}  // namespace kelmar::test
