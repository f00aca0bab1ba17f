#pragma once
// List entries that keep the code-page bytes they were made from, so a choice
// reads back exactly as the catalog or value file wrote it, whatever Qt shows.

#include <string>
#include <vector>

#include "platform/code_page.h"

namespace kelmar::qdas {
struct CatalogTables;
class CatalogEntryList;
}

class QComboBox;
class QListWidget;

namespace kelmar::dialogs {

void addEntries(QListWidget& list, const std::vector<std::string>& entries, platform::CodePage codePage);
void addEntries(QComboBox& combo, const std::vector<std::string>& entries, platform::CodePage codePage);
void addEntries(QListWidget& list, const qdas::CatalogEntryList& entries, platform::CodePage codePage);
void addEntries(QComboBox& combo, const qdas::CatalogEntryList& entries, platform::CodePage codePage);

// The bytes of the entry at a position; empty outside the list.
std::string entryBytes(const QListWidget& list, int row);
std::string entryBytes(const QComboBox& combo, int index);

// The bytes of every entry, in list order.
std::vector<std::string> allEntries(const QListWidget& list);

// The positions of the selected entries, ascending.
std::vector<int> selectedRows(const QListWidget& list);
// Adds the entries at the given positions (ascending) to the selection; positions outside the list are skipped.
void selectRows(QListWidget& list, const std::vector<int>& rows);
// The position of the first selected entry, -1 when none is selected.
int firstSelectedRow(const QListWidget& list);

// The event lists of the data entry form and the Add Q-DAS data dialog share these rules.
// lstEvents after a group click: the events of the group selected in lstKatalog.
void listEventsOfSelectedGroup(QListWidget& lstEvents, const QListWidget& lstKatalog,
                               const qdas::CatalogTables& tables, platform::CodePage codePage);
// K0005: the catalog numbers of the selected events, in list order, joined by ",".
std::string selectedEventNumbers(const QListWidget& lstEvents);
// K2060: the group number at the selected lstKatalog position; empty when none is selected.
std::string selectedGroupNumber(const QListWidget& lstKatalog, const qdas::CatalogTables& tables);

}  // namespace kelmar::dialogs
