// The catalog file: reading it and every look-up the forms make on what it gave.
#include <cstdint>

#include "fuzz_support.h"
#include "qdas/catalog_lookup.h"
#include "qdas/catalog_reader.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    qdas::CatalogTables tables;
    qdas::CatalogChoices choices;
    qdas::ReadCatalogText(text, tables, choices);
    std::size_t found = 0;
    for (int i = -1; i < static_cast<int>(choices.lstKatalog.size()) + 1 && i < 64; ++i) {
        const bool listed = i >= 0 && i < static_cast<int>(choices.lstKatalog.size());
        std::string_view group = listed ? std::string_view(choices.lstKatalog[i]) : std::string_view();
        found += qdas::EventEntriesForGroup(tables, i, group).size();
        (void)qdas::EventGroupNumberAt(tables, i);
    }
    auto groups = qdas::ParameterGroupEntries(tables);
    groups.push_back("0");
    for (std::size_t i = 0; i < groups.size() && i < 64; ++i)
        for (const auto& parameter : qdas::ParameterEntriesForGroup(tables, groups[i]))
            found += qdas::ParameterValueEntries(tables, parameter).size();
    for (const auto* list : {&choices.comboMaschine, &choices.comboPruefmittel, &choices.comboPruefer,
                             &choices.comboNest, &choices.lstEvents})
        for (std::size_t i = 0; i < list->size() && i < 64; ++i) (void)qdas::ExtractCatalogNumber((*list)[i]);
    if (choices.comboMaschine.size() > static_cast<std::size_t>(qdas::kMaxCatalogEntries))
        fuzz::propertyFailed("a list grew past the 16-bit count");
    return found > 0 ? 0 : 0;
}
