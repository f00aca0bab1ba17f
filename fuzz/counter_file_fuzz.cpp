// The file counter: whatever the file holds, the next counter is four digits.
#include <cstdint>

#include "fuzz_support.h"
#include "qdas/file_counter.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    folder.write("PartData/FileCounter.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::QuietMessages messages;
    const kelmar::settings::LanguageTexts texts;
    const qdas::FileCounterValue next =
        qdas::NextFileCounter(fuzz::disk(), messages, texts, folder.file("PartData/FileCounter.dat"));
    const std::string& counter = next.counter;
    if (counter.size() != 4 || counter.find_first_not_of("0123456789") != std::string::npos)
        fuzz::propertyFailed("counter " + counter + " is not four digits");
    if (!next.saved && messages.shown == 0) fuzz::propertyFailed("a counter not advanced was not told");
    return 0;
}
