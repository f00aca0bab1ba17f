#pragma once
// Reading the Q-DAS catalog file (K4xxx lines) into the choice lists of the
// data entry form and the five catalog tables.

#include <string>
#include <vector>

#include "qdas/catalog_context.h"
#include "qdas/catalog_entries.h"
#include "qdas/catalog_tables.h"

namespace kelmar::qdas {

// The entries ReadCatalog adds to the lists of the data entry form, in file
// order; each member is named after the list it fills, so a form adds them
// to its controls as they stand. No list holds more than kMaxCatalogEntries.
struct CatalogChoices {
    CatalogEntryList comboMaschine;         // machines, K4062/K4063
    CatalogEntryList comboPruefmittel;      // gages, K4072/K4073: the form's comboPrüfmittel
    CatalogEntryList comboPruefer;          // operators, K4092/K4093
    CatalogEntryList comboNest;             // nests, K4252/K4253
    std::vector<std::string> lstKatalog;    // event groups, K4220; one entry per EventGroupTable entry
    CatalogEntryList lstEvents;             // events, K4222/K4223
};

// Rebuilds tables from the catalog named by CatalogPathName and appends its
// entries to choices. False, with the error message shown, when the file
// cannot be read; choices are then left as they were.
bool ReadCatalog(CatalogTables& tables, CatalogChoices& choices, CatalogContext& context);

// Rebuilds tables and appends to choices from catalog text already in memory.
void ReadCatalogText(std::string_view text, CatalogTables& tables, CatalogChoices& choices);

}  // namespace kelmar::qdas
