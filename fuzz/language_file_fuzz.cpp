// The language file resource.dll: loaded whole or refused with its message.
#include <cstdint>

#include "fuzz_support.h"
#include "settings/language_texts.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    folder.write("Languages/resource.dll", std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::QuietMessages messages;
    settings::LanguageContext context{fuzz::disk(), messages, folder.path(), nullptr, {}};
    settings::LanguageTexts texts;
    const bool loaded = settings::LoadLanguageTexts(texts, context);
    if (loaded == (messages.shown > 0)) fuzz::propertyFailed("a failed load must be told, a good one not");
    return 0;
}
