// QDAS_Settings.cfg: imported texts export to a file that imports the same texts.
#include <cstdint>

#include "fuzz_support.h"
#include "settings/field_description_file.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const settings::ImportedFieldTexts imported = settings::parseFieldDescriptionFile(content);
    settings::FieldTexts texts{};
    for (std::size_t i = 0; i < settings::kFieldDescriptionCount; ++i) texts[i] = imported[i].value_or("");
    const std::string exported = settings::formatFieldDescriptionFile(texts);
    const settings::ImportedFieldTexts again = settings::parseFieldDescriptionFile(exported);
    for (std::size_t i = 0; i < settings::kFieldDescriptionCount; ++i)
        if (imported[i] && again[i] != imported[i]) fuzz::propertyFailed("an imported text changed on export");
    return 0;
}
