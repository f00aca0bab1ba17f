// A value file: each key's list, K1209 cut to its length with one message per file.
#include <cstdint>

#include "fuzz_support.h"
#include "qdas/value_file.h"
#include "settings/setting_names.h"
#include "settings/settings_backend.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    folder.write("K1209.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    store.writeText(settings::names::ValueFilePath, folder.path());
    fuzz::QuietMessages messages;
    const kelmar::settings::LanguageTexts texts;
    qdas::CatalogContext context{fuzz::disk(), messages, texts, store, folder.path()};
    qdas::ValueFileChoices lists;
    if (!qdas::ReadValueFile("K1209", lists, context)) fuzz::propertyFailed("a written value file was not read");
    for (const auto& entry : lists.ComboK1209)
        if (entry.size() > qdas::kMaxK1209Length) fuzz::propertyFailed("a K1209 choice was not cut");
    if (messages.shown > 1) fuzz::propertyFailed("more than one message for one file");
    return 0;
}
