// The host file, then what a run does with it: the offline import of its part
// program and the writing of the Q-DAS files into a scratch program folder.
#include <cstdint>

#include "capture/capture_context.h"
#include "capture/offline_import.h"
#include "capture/run_data.h"
#include "fuzz_support.h"
#include "host/sim/sim_host.h"
#include "host/sim/sim_host_file.h"
#include "qdas/qdas_writer.h"
#include "settings/setting_names.h"
#include "settings/settings_backend.h"

using namespace kelmar;

namespace {

void writerSettings(settings::SettingsStore& store, const std::string& out) {
    namespace n = settings::names;
    for (const char* name : {n::FileName1, n::FileName2, n::FileName3, n::FileName4, n::FileName5})
        store.writeText(name, "0");
    store.writeText(n::SEPERATOR, "2");
    store.writeText(n::DIR, out);
    for (const char* name : {n::FileCounter, n::SelectFolder, n::PartProgFolder, n::UseFolders})
        store.writeText(name, "0");
    store.writeText(n::FileNameRule0, "true");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    std::string error;
    auto model = host::sim::parseHostFile(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.json",
                                          platform::CodePage::Windows1252, error);
    if (!model) {
        if (error.empty()) fuzz::propertyFailed("a refused host file gave no reason");
        return 0;
    }
    host::sim::SimHostLocator locator(std::move(*model), {});
    auto application = locator.application();
    auto program = application->partProgram();
    if (!program) return 0;

    folder.clear();
    folder.write("out/.keep", "");
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    writerSettings(store, folder.file("out"));
    fuzz::QuietMessages messages;
    fuzz::QuietWindow window;
    platform::CommandLineArgs args;
    capture::RunData run;
    const std::string attached = host::readOr([&] { return program->FullName(); }, std::string());
    capture::CaptureContext capture{run,       store,    fuzz::englishTexts(), messages, args, locator, window,
                                    attached,  nullptr,  nullptr};
    if (!capture::fctGetValuesOffline(capture, *application, *program)) return 0;

    fuzz::FixedClock clock;
    qdas::WriterContext writer{run, store, fuzz::englishTexts(), messages, fuzz::disk(), args, *program,
                               folder.path(), clock, window};
    qdas::WriteQdasFiles(writer);
    return 0;
}
