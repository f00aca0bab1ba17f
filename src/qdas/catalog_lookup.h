#pragma once
// What the data entry form, the Add Q-DAS data dialog and the K0011 dialog
// list from the catalog tables once ReadCatalog has filled them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qdas/catalog_entries.h"
#include "qdas/catalog_tables.h"

namespace kelmar::qdas {

// lstEvents after a click on lstKatalog: position 0 lists every event, any
// other position the events of the group whose number starts groupEntry. A
// position below 0 (nothing selected) lists nothing.
CatalogEntryList EventEntriesForGroup(const CatalogTables& tables, int listPosition, std::string_view groupEntry);

// K2060: the number of the group at a lstKatalog position (0-based); nothing when no such group.
std::optional<std::int16_t> EventGroupNumberAt(const CatalogTables& tables, int listPosition);

// ComboK4240: "number   text" per parameter group, in catalog order.
std::vector<std::string> ParameterGroupEntries(const CatalogTables& tables);

// VListK4243 for the chosen ComboK4240 entry: the group's parameters, or all
// parameters for group 0. Nothing for a group that is not a table position.
std::vector<std::string> ParameterEntriesForGroup(const CatalogTables& tables, std::string_view groupEntry);

// VListK4245 for the chosen VListK4243 entry: the values of that parameter.
std::vector<std::string> ParameterValueEntries(const CatalogTables& tables, std::string_view chosenParameter);

}  // namespace kelmar::qdas
