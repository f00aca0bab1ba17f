// The saved data-entry file: what loads is saved again unchanged.
#include <cstdint>

#include "fuzz_support.h"
#include "qdas/part_data_file.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    std::string_view content(reinterpret_cast<const char*>(data), size);
    folder.write("PartData/Default.cfg", content);
    fuzz::QuietMessages messages;
    const kelmar::settings::LanguageTexts texts;
    auto loaded = qdas::LoadPartDataFile(fuzz::disk(), messages, texts, folder.file("PartData/Default.cfg"));
    if (!loaded && messages.shown == 0) fuzz::propertyFailed("an unreadable saved file was not told");
    const qdas::PartData parsed = qdas::parsePartData(content);
    // Saved and loaded again and again, the lines settle at once: nothing shifts or grows. (A group
    // saved as none reloads as the first, so the first save may still change once.)
    const std::string saved = qdas::partDataText(qdas::parsePartData(qdas::partDataText(parsed)));
    if (qdas::partDataText(qdas::parsePartData(saved)) != saved) fuzz::propertyFailed("saved entries changed on reload");
    return 0;
}
