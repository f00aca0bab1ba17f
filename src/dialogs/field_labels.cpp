#include "dialogs/field_labels.h"

#include <utility>

#include "shell/qt_text.h"
#include "settings/field_description_file.h"

namespace kelmar::dialogs {
namespace {

using settings::Text;

// Lines 119 to 128 carry the form's own labels; the others are the program's texts.
constexpr std::pair<std::string_view, int> kLabelLines[] = {
    {"K0006", static_cast<int>(Text::FieldK0006)},
    {"K0007", static_cast<int>(Text::FieldK0007)},
    {"K0008", static_cast<int>(Text::FieldK0008)},
    {"K0009", static_cast<int>(Text::FieldK0009)},
    {"K0010", static_cast<int>(Text::FieldK0010)},
    {"K0011", static_cast<int>(Text::FieldK0011)},
    {"K0012", static_cast<int>(Text::FieldK0012)},
    {"K0053", static_cast<int>(Text::FieldK0053)},
    {"K1007", 119},
    {"K1010", 120},
    {"K1011", 121},
    {"K1053", 122},
    {"K1101", 123},
    {"K1203", 124},
    {"K1209", static_cast<int>(Text::FieldK1209)},
    {"K1303", 125},
    {"K1900", 126},
    {"K2005", 127},
    {"K2320", static_cast<int>(Text::FieldK2320)},
    {"K2401", static_cast<int>(Text::FieldK2401)},
    {"K2402", static_cast<int>(Text::FieldK2402)},
    {"K2404", 128},
};

}  // namespace

QString defaultFieldLabel(const settings::LanguageTexts& texts, std::string_view key) {
    for (const auto& [name, line] : kLabelLines)
        if (name == key) return shell::toQt(texts.line(line), texts.codePage);
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

QString fieldLabel(shell::KelmarProcess& process, std::string_view key) {
    if (auto stored = process.settings().readText(settings::fieldTextSetting(key)); stored && !stored->empty())
        return shell::toQt(*stored, process.state.codePage);
    return defaultFieldLabel(process.state.texts, key);
}

}  // namespace kelmar::dialogs
