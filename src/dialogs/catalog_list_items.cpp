#include "dialogs/catalog_list_items.h"

#include <QByteArray>
#include <QComboBox>
#include <QItemSelection>
#include <QListWidget>
#include <algorithm>

#include "shell/qt_text.h"
#include "qdas/catalog_entries.h"
#include "qdas/catalog_lookup.h"
#include "qdas/catalog_tables.h"

namespace kelmar::dialogs {
namespace {

constexpr int kBytesRole = Qt::UserRole;

QByteArray bytesOf(const std::string& entry) { return QByteArray(entry.data(), static_cast<qsizetype>(entry.size())); }

std::string fromVariant(const QVariant& data) {
    QByteArray bytes = data.toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A catalog entry past this length is shown with its middle cut out: a catalog
// can name a text of megabytes in thousands of entries. The head and the
// catalog number at the end stay, so the entry still reads back as its choice.
constexpr std::size_t kLongestShownEntry = 1024;
constexpr std::size_t kShownHead = 1000, kShownTail = 20;

std::string shownEntry(std::string entry) {
    if (entry.size() <= kLongestShownEntry) return entry;
    return entry.substr(0, kShownHead) + "..." + entry.substr(entry.size() - kShownTail);
}

std::string shownEntry(const std::vector<std::string>& entries, std::size_t i) { return entries[i]; }
std::string shownEntry(const qdas::CatalogEntryList& entries, std::size_t i) { return shownEntry(entries[i]); }

// Plain lists and catalog entry lists alike.
template <class Entries>
void addListEntries(QListWidget& list, const Entries& entries, platform::CodePage codePage) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = shownEntry(entries, i);
        auto* item = new QListWidgetItem(shell::toQt(entry, codePage));
        item->setData(kBytesRole, bytesOf(entry));
        list.addItem(item);
    }
}

template <class Entries>
void addComboEntries(QComboBox& combo, const Entries& entries, platform::CodePage codePage) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = shownEntry(entries, i);
        combo.addItem(shell::toQt(entry, codePage), bytesOf(entry));
    }
}

}  // namespace

void addEntries(QListWidget& list, const std::vector<std::string>& entries, platform::CodePage codePage) {
    addListEntries(list, entries, codePage);
}

void addEntries(QComboBox& combo, const std::vector<std::string>& entries, platform::CodePage codePage) {
    addComboEntries(combo, entries, codePage);
}

void addEntries(QListWidget& list, const qdas::CatalogEntryList& entries, platform::CodePage codePage) {
    addListEntries(list, entries, codePage);
}

void addEntries(QComboBox& combo, const qdas::CatalogEntryList& entries, platform::CodePage codePage) {
    addComboEntries(combo, entries, codePage);
}

std::string entryBytes(const QListWidget& list, int row) {
    const QListWidgetItem* item = row >= 0 ? list.item(row) : nullptr;
    return item ? fromVariant(item->data(kBytesRole)) : std::string();
}

std::string entryBytes(const QComboBox& combo, int index) {
    if (index < 0 || index >= combo.count()) return {};
    return fromVariant(combo.itemData(index, kBytesRole));
}

std::vector<std::string> allEntries(const QListWidget& list) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(list.count()));
    for (int row = 0; row < list.count(); ++row) entries.push_back(entryBytes(list, row));
    return entries;
}

std::vector<int> selectedRows(const QListWidget& list) {
    // Asked of the selection once: asking each item is slow for a long list with a scattered selection.
    std::vector<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void selectRows(QListWidget& list, const std::vector<int>& rows) {
    // One selection of runs of rows, handed over at once, so the cost does not grow with the square of the rows.
    QItemSelection selection;
    QAbstractItemModel* model = list.model();
    for (size_t i = 0; i < rows.size();) {
        size_t last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) ++last;
        // A run reaching past the list keeps the rows that are in it.
        const int first = std::max(rows[i], 0), end = std::min(rows[last], list.count() - 1);
        if (first <= end) selection.append(QItemSelectionRange(model->index(first, 0), model->index(end, 0)));
        i = last + 1;
    }
    list.selectionModel()->select(selection, QItemSelectionModel::Select);
}

int firstSelectedRow(const QListWidget& list) {
    // The selection is asked of the model, so a long list is not walked item by item.
    const QList<QListWidgetItem*> selected = list.selectedItems();
    int first = -1;
    for (const QListWidgetItem* item : selected) {
        int row = list.row(item);
        if (first < 0 || row < first) first = row;
    }
    return first;
}

void listEventsOfSelectedGroup(QListWidget& lstEvents, const QListWidget& lstKatalog,
                               const qdas::CatalogTables& tables, platform::CodePage codePage) {
    const int group = firstSelectedRow(lstKatalog);
    lstEvents.clear();
    addEntries(lstEvents, qdas::EventEntriesForGroup(tables, group, entryBytes(lstKatalog, group)), codePage);
}

std::string selectedEventNumbers(const QListWidget& lstEvents) {
    std::string numbers;
    for (int row : selectedRows(lstEvents)) {
        if (!numbers.empty()) numbers.push_back(',');
        numbers += std::to_string(qdas::ExtractCatalogNumber(entryBytes(lstEvents, row)));
    }
    return numbers;
}

std::string selectedGroupNumber(const QListWidget& lstKatalog, const qdas::CatalogTables& tables) {
    const int group = firstSelectedRow(lstKatalog);
    auto number = group < 0 ? std::nullopt : qdas::EventGroupNumberAt(tables, group);
    return number ? std::to_string(*number) : std::string();
}

}  // namespace kelmar::dialogs
