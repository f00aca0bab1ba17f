#include "qdas/catalog_tables.h"

namespace kelmar::qdas {
namespace {

template <class Entry>
void emptyTable(std::vector<Entry>& table) {
    // Swapping with a fresh table also gives back the memory of a large catalog.
    std::vector<Entry>(1).swap(table);
}

}  // namespace

void CatalogTables::clear() {
    emptyTable(EventGroupTable);
    emptyTable(EventTable);
    emptyTable(ParameterGroupTable);
    emptyTable(ProcessParameterTable);
    emptyTable(ParameterValueTable);
}

bool appendNumber(std::vector<std::int16_t>& list, std::int16_t number) {
    if (list.size() >= static_cast<size_t>(kMaxCatalogEntries)) return false;
    list.push_back(number);
    return true;
}

}  // namespace kelmar::qdas
