#pragma once
// The saved entries of the data entry form (PartDataFile): 24 lines of list
// positions and texts in the folder PartData below the program folder, one
// file for all parts (Default.cfg) or one per part program.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/messages.h"
#include "settings/language_texts.h"

namespace kelmar::qdas {

inline constexpr int kPartDataLineCount = 24;
// 24 lines of positions and texts; a larger file is refused unread.
inline constexpr std::size_t kMaxPartDataFileBytes = 1024 * 1024;

// The highest list position a line can name: lists hold at most 32767 entries.
inline constexpr int kMaxPartDataPosition = 32766;

enum class PartDataKind {
    GroupPosition,   // the selected event group; written empty when none
    EventPositions,  // the selected events, ascending, joined by ","
    Text,            // the text of a text box
    ListPosition,    // the position of a list, -1 for none
    Caption,         // the caption of lblProcessParameter
};

struct PartDataLine {
    const char* control;  // objectName of the form's control (UTF-8)
    PartDataKind kind;
};

// The lines in file order, each with the control it belongs to.
inline constexpr std::array<PartDataLine, kPartDataLineCount> kPartDataLines{{
    {"lstKatalog", PartDataKind::GroupPosition},
    {"lstEvents", PartDataKind::EventPositions},
    {"txtCharge", PartDataKind::Text},
    {"comboNest", PartDataKind::ListPosition},
    {"comboPruefer", PartDataKind::ListPosition},
    {"txtText", PartDataKind::Text},
    {"comboMaschine", PartDataKind::ListPosition},
    {"comboPrüfmittel", PartDataKind::ListPosition},
    {"txtAuftrag_2", PartDataKind::Text},
    {"txtTeilenummerK", PartDataKind::Text},
    {"comboDokumentation", PartDataKind::ListPosition},
    {"txtVariante", PartDataKind::Text},
    {"txtAbteilung", PartDataKind::Text},
    {"txtWerk", PartDataKind::Text},
    {"ComboMMKlasse", PartDataKind::ListPosition},
    {"txtPrüfmittelaufl", PartDataKind::Text},
    {"txtK1203", PartDataKind::Text},
    {"txtK1900", PartDataKind::Text},
    {"txtK1053", PartDataKind::Text},
    {"ComboK2320", PartDataKind::ListPosition},
    {"ComboK2401", PartDataKind::ListPosition},
    {"ComboK2402", PartDataKind::ListPosition},
    {"lblProcessParameter", PartDataKind::Caption},
    {"ComboK1209", PartDataKind::ListPosition},
}};

// One line's content; the member that counts follows the line's kind.
struct PartDataValue {
    std::string text;            // Text, Caption
    int position = -1;           // GroupPosition, ListPosition; -1 for none
    std::vector<int> positions;  // EventPositions, ascending, each once

    bool operator==(const PartDataValue&) const = default;
};

// The lines of a file; a line that is missing or does not fit its kind holds nothing.
using PartData = std::array<std::optional<PartDataValue>, kPartDataLineCount>;

// The folder PartData below the program folder.
std::string partDataFolder(const std::string& programFolder);

// "Default.cfg" when one file serves all parts, else "<part>__<revision>.cfg" with both made safe for a file name.
std::string partDataFileName(bool oneFileForAll, std::string_view partName, std::string_view revision);

// Reads saved lines; a line that does not fit is left out, lines past the 24th are ignored.
PartData parsePartData(std::string_view text);

// The 24 lines, each ended by CR LF; a line that holds nothing is written as its kind's "none".
std::string partDataText(const PartData& data);

// Reads a saved file; nothing when it cannot be read.
std::optional<PartData> ReadPartDataFile(platform::FileSystem& files, const std::string& path);

// Reads a saved file as the form loads it: nothing when there is none. One that exists but
// cannot be read (a folder, no permission, too large, bytes no saved file holds) also gives
// nothing, and the user is told in an error box.
std::optional<PartData> LoadPartDataFile(platform::FileSystem& files, platform::Messages& messages,
                                         const settings::LanguageTexts& texts, const std::string& path);

// Writes data as fileName into the PartData folder, creating the folder; false, with the
// user told in a plain message box, when the folder cannot be made or the file not written.
bool SavePartDataFile(platform::FileSystem& files, platform::Messages& messages, const settings::LanguageTexts& texts,
                      const std::string& programFolder, const std::string& fileName, const PartData& data);

}  // namespace kelmar::qdas
