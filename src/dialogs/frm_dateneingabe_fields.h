#pragma once
// The K-fields of the data entry form and the rules by which its OK turns
// each field's control into the value stored in PartQdasData.

#include <array>
#include <string>
#include <string_view>

#include "capture/run_data.h"

namespace kelmar::dialogs {

enum class FieldRule {
    Text,           // the text as it stands (a text box, a list's shown choice, a caption)
    SerialText,     // "#" and the text, or empty when the text is blank
    CatalogNumber,  // the catalog number at the end of the shown entry; 0 for none
    ListPosition,   // the list position, empty when nothing is selected
    EventNumbers,   // the catalog numbers of the selected events, joined by ","
    GroupNumber,    // the number of the selected event group, empty when none
};

struct DataEntryField {
    const char* key;    // also names the enable flag and the labels lblK.... and LabelK....
    int field;          // index in PartQdasData
    const char* input;  // objectName of the input control (UTF-8)
    FieldRule rule;
    bool keepExisting;  // a value already there (from the part program's trace fields) stays
    bool offered;       // switched on and off by its flag under K_Fields_Settings
};

// Every field OK writes, in the order it writes them.
inline constexpr std::array<DataEntryField, 24> kDataEntryFields{{
    {"K1101", capture::field::K1101, "txtAbteilung", FieldRule::Text, false, true},
    {"K0053", capture::field::K0053, "txtAuftrag_2", FieldRule::Text, true, true},
    {"K0006", capture::field::K0006, "txtCharge", FieldRule::SerialText, false, true},
    {"K1010", capture::field::K1010, "comboDokumentation", FieldRule::ListPosition, false, true},
    {"K0005", capture::field::K0005, "lstEvents", FieldRule::EventNumbers, false, false},
    {"K2060", capture::field::K2060, "lstKatalog", FieldRule::GroupNumber, false, false},
    {"K0010", capture::field::K0010, "comboMaschine", FieldRule::CatalogNumber, false, true},
    {"K1209", capture::field::K1209, "ComboK1209", FieldRule::Text, false, true},
    {"K2005", capture::field::K2005, "ComboMMKlasse", FieldRule::ListPosition, false, true},
    {"K0007", capture::field::K0007, "comboNest", FieldRule::CatalogNumber, false, true},
    {"K0008", capture::field::K0008, "comboPruefer", FieldRule::CatalogNumber, true, true},
    {"K0012", capture::field::K0012, "comboPrüfmittel", FieldRule::CatalogNumber, true, true},
    {"K2404", capture::field::K2404, "txtPrüfmittelaufl", FieldRule::Text, false, true},
    {"K1007", capture::field::K1007, "txtTeilenummerK", FieldRule::Text, false, true},
    {"K0009", capture::field::K0009, "txtText", FieldRule::Text, false, true},
    {"K1011", capture::field::K1011, "txtVariante", FieldRule::Text, false, true},
    {"K1303", capture::field::K1303, "txtWerk", FieldRule::Text, false, true},
    {"K1900", capture::field::K1900, "txtK1900", FieldRule::Text, false, true},
    {"K1203", capture::field::K1203, "txtK1203", FieldRule::Text, false, true},
    {"K1053", capture::field::K1053, "txtK1053", FieldRule::Text, true, true},
    {"K2320", capture::field::K2320, "ComboK2320", FieldRule::Text, false, true},
    {"K2401", capture::field::K2401, "ComboK2401", FieldRule::Text, false, true},
    {"K2402", capture::field::K2402, "ComboK2402", FieldRule::Text, false, true},
    {"K0011", capture::field::K0011, "lblProcessParameter", FieldRule::Text, false, true},
}};

// The field of a key; null for a key the form does not write.
const DataEntryField* dataEntryField(std::string_view key);

// What a control gives its field. text: the control's text or shown choice (code-page bytes);
// position: its list position, -1 for none. Not for the two event rules, which the lists answer.
std::string fieldValue(FieldRule rule, const std::string& text, int position);

// Whether the field keeps the value the record already holds.
bool keepsValue(const capture::QdasDataRecord& record, const DataEntryField& field);

// Stores value in the record unless the field keeps a value that is already there.
void storeField(capture::QdasDataRecord& record, const DataEntryField& field, std::string value);

}  // namespace kelmar::dialogs
