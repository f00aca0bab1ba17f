#pragma once
// The five catalog tables the data entry form and the K0011 dialog look up.
// Position 0 of each table stays empty, so a catalog number is its position
// where the catalog addresses entries by number.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelmar::qdas {

// Catalog numbers and counts are 16-bit: no table or list holds more entries.
inline constexpr int kMaxCatalogEntries = 32767;
// Files of catalog and value-file lines larger than this are refused unread.
inline constexpr std::size_t kMaxCatalogFileBytes = 64u * 1024u * 1024u;

struct EventGroup {
    std::int16_t number = 0;
    std::string text;
    std::vector<std::int16_t> eventNumbers;
};

struct Event {
    std::int16_t number = 0;
    std::string firstText;   // K4222
    std::string secondText;  // K4223
};

struct ParameterGroup {
    std::int16_t number = 0;
    std::string text;
    std::vector<std::int16_t> parameterNumbers;
};

struct ProcessParameter {
    std::int16_t number = 0;  // 0 until a K4242 line names the parameter
    std::string firstText, secondText, thirdText;
    std::vector<std::int16_t> valueNumbers;
};

struct ParameterValue {
    std::string firstText, secondText;
    std::int16_t number = 0;  // 0 until a K4245 line names the value
};

struct CatalogTables {
    std::vector<EventGroup> EventGroupTable = std::vector<EventGroup>(1);
    std::vector<Event> EventTable = std::vector<Event>(1);
    std::vector<ParameterGroup> ParameterGroupTable = std::vector<ParameterGroup>(1);
    std::vector<ProcessParameter> ProcessParameterTable = std::vector<ProcessParameter>(1);
    std::vector<ParameterValue> ParameterValueTable = std::vector<ParameterValue>(1);

    // Empties all five tables, keeping only the unused position 0.
    void clear();

    int EventGroupCount() const { return static_cast<int>(EventGroupTable.size()) - 1; }
    int EventCount() const { return static_cast<int>(EventTable.size()) - 1; }
    int ParameterGroupCount() const { return static_cast<int>(ParameterGroupTable.size()) - 1; }
    int ProcessParameterCount() const { return static_cast<int>(ProcessParameterTable.size()) - 1; }
    int ParameterValueCount() const { return static_cast<int>(ParameterValueTable.size()) - 1; }
};

// The entry at position (1..kMaxCatalogEntries), growing the table up to it;
// null, with nothing changed, for a position outside that range.
template <class Entry>
Entry* entryAt(std::vector<Entry>& table, int position) {
    if (position < 1 || position > kMaxCatalogEntries) return nullptr;
    if (table.size() <= static_cast<size_t>(position)) table.resize(static_cast<size_t>(position) + 1);
    return &table[static_cast<size_t>(position)];
}

// The entry at position when it exists, else null; never grows the table.
template <class Entry>
const Entry* existingEntry(const std::vector<Entry>& table, int position) {
    if (position < 1 || static_cast<size_t>(position) >= table.size()) return nullptr;
    return &table[static_cast<size_t>(position)];
}

// Appends a new entry at the end; null when the table already holds kMaxCatalogEntries.
template <class Entry>
Entry* appendEntry(std::vector<Entry>& table) {
    if (table.size() > static_cast<size_t>(kMaxCatalogEntries)) return nullptr;
    return &table.emplace_back();
}

// Appends a number to a list of numbers unless the list is full; false when it is.
bool appendNumber(std::vector<std::int16_t>& list, std::int16_t number);

}  // namespace kelmar::qdas
