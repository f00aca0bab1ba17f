#include "dialogs/frm_dateneingabe_fields.h"

#include <algorithm>

#include "platform/text.h"
#include "qdas/catalog_entries.h"

namespace kelmar::dialogs {

const DataEntryField* dataEntryField(std::string_view key) {
    auto found = std::find_if(kDataEntryFields.begin(), kDataEntryFields.end(),
                              [key](const DataEntryField& field) { return key == field.key; });
    return found == kDataEntryFields.end() ? nullptr : &*found;
}

std::string fieldValue(FieldRule rule, const std::string& text, int position) {
    switch (rule) {
        case FieldRule::SerialText:
            return platform::trimBlanks(text).empty() ? std::string() : "#" + text;
        case FieldRule::CatalogNumber:
            return std::to_string(qdas::ExtractCatalogNumber(text));
        case FieldRule::ListPosition:
            return position < 0 ? std::string() : std::to_string(position);
        case FieldRule::Text:
        case FieldRule::EventNumbers:
        case FieldRule::GroupNumber:
            return text;
    }
    return text;
}

bool keepsValue(const capture::QdasDataRecord& record, const DataEntryField& field) {
    return field.keepExisting && !record.fields[static_cast<size_t>(field.field)].empty();
}

void storeField(capture::QdasDataRecord& record, const DataEntryField& field, std::string value) {
    if (!keepsValue(record, field)) record.fields[static_cast<size_t>(field.field)] = std::move(value);
}

}  // namespace kelmar::dialogs
