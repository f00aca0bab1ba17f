#include "qdas/catalog_lookup.h"

#include <algorithm>
#include <initializer_list>

#include "qdas/catalog_entries.h"

namespace kelmar::qdas {
namespace {

// The K0011 dialog's entries: the number and the texts, three spaces apart.
std::string spacedEntry(int number, std::initializer_list<std::string_view> texts) {
    std::string entry = std::to_string(number);
    for (std::string_view text : texts) entry.append("   ").append(text);
    return entry;
}

// Adds an event's two texts to a list; the number of the first, the second following it.
std::uint32_t addEventTexts(CatalogEntryList& entries, const Event& event) {
    const std::uint32_t first = entries.addText(event.firstText);
    entries.addText(event.secondText);
    return first;
}

std::string parameterEntry(const ProcessParameter& parameter) {
    return spacedEntry(parameter.number, {parameter.firstText, parameter.secondText, parameter.thirdText});
}

const EventGroup* groupNumbered(const CatalogTables& tables, std::int16_t number) {
    auto begin = tables.EventGroupTable.begin() + 1;
    auto found = std::find_if(begin, tables.EventGroupTable.end(),
                              [number](const EventGroup& group) { return group.number == number; });
    return found == tables.EventGroupTable.end() ? nullptr : &*found;
}

// Position of the first event of each number, so a group's events are found without a search per event.
std::vector<int> firstEventPositions(const CatalogTables& tables) {
    std::vector<int> positions;
    for (int i = 1; i <= tables.EventCount(); ++i) {
        auto number = static_cast<size_t>(tables.EventTable[i].number);
        if (positions.size() <= number) positions.resize(number + 1, 0);
        if (positions[number] == 0) positions[number] = i;
    }
    return positions;
}

// A parameter a K4242 line named; a position only grown to, or beyond the table, has none.
const ProcessParameter* namedParameter(const CatalogTables& tables, int position) {
    const ProcessParameter* parameter = existingEntry(tables.ProcessParameterTable, position);
    return parameter && parameter->number != 0 ? parameter : nullptr;
}

}  // namespace

CatalogEntryList EventEntriesForGroup(const CatalogTables& tables, int listPosition, std::string_view groupEntry) {
    CatalogEntryList entries;
    if (listPosition < 0) return entries;
    if (listPosition == 0) {
        for (int i = 1; i <= tables.EventCount(); ++i) {
            const Event& event = tables.EventTable[i];
            const std::uint32_t first = addEventTexts(entries, event);
            entries.add(first, first + 1, event.number);
        }
        return entries;
    }
    auto number = leadingCatalogNumber(groupEntry);
    const EventGroup* group = number ? groupNumbered(tables, *number) : nullptr;
    if (!group) return entries;
    std::vector<int> first = firstEventPositions(tables);
    // A group may name one event many times: its texts go into the list once.
    std::vector<std::int64_t> textsOf(first.size(), -1);
    for (std::int16_t eventNumber : group->eventNumbers) {
        auto slot = static_cast<size_t>(eventNumber);
        if (slot >= first.size() || first[slot] == 0) continue;
        const Event& event = tables.EventTable[first[slot]];
        if (textsOf[slot] < 0) textsOf[slot] = addEventTexts(entries, event);
        const auto texts = static_cast<std::uint32_t>(textsOf[slot]);
        entries.add(texts, texts + 1, event.number);
    }
    return entries;
}

std::optional<std::int16_t> EventGroupNumberAt(const CatalogTables& tables, int listPosition) {
    const EventGroup* group = existingEntry(tables.EventGroupTable, listPosition + 1);
    if (!group) return std::nullopt;
    return group->number;
}

std::vector<std::string> ParameterGroupEntries(const CatalogTables& tables) {
    std::vector<std::string> entries;
    for (int i = 1; i <= tables.ParameterGroupCount(); ++i) {
        const ParameterGroup& group = tables.ParameterGroupTable[i];
        entries.push_back(spacedEntry(group.number, {group.text}));
    }
    return entries;
}

std::vector<std::string> ParameterEntriesForGroup(const CatalogTables& tables, std::string_view groupEntry) {
    std::vector<std::string> entries;
    auto number = leadingCatalogNumber(groupEntry);
    if (!number) return entries;
    if (*number == 0) {
        for (int i = 1; i <= tables.ProcessParameterCount(); ++i)
            if (const ProcessParameter* parameter = namedParameter(tables, i))
                entries.push_back(parameterEntry(*parameter));
        return entries;
    }
    const ParameterGroup* group = existingEntry(tables.ParameterGroupTable, *number);
    if (!group) return entries;
    for (std::int16_t position : group->parameterNumbers)
        if (const ProcessParameter* parameter = namedParameter(tables, position))
            entries.push_back(parameterEntry(*parameter));
    return entries;
}

std::vector<std::string> ParameterValueEntries(const CatalogTables& tables, std::string_view chosenParameter) {
    std::vector<std::string> entries;
    auto number = leadingCatalogNumber(chosenParameter);
    const ProcessParameter* parameter = number ? namedParameter(tables, *number) : nullptr;
    if (!parameter) return entries;
    for (std::int16_t position : parameter->valueNumbers) {
        const ParameterValue* value = existingEntry(tables.ParameterValueTable, position);
        if (value && value->number != 0)
            entries.push_back(spacedEntry(value->number, {value->firstText, value->secondText}));
    }
    return entries;
}

}  // namespace kelmar::qdas
