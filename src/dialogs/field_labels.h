#pragma once
// The label of a K-field, the same in the data entry form, the K-field dialog and the
// field description dialog: the user's own description when one is stored, else the language's.

#include <QString>
#include <string_view>

#include "shell/kelmar_process.h"

namespace kelmar::dialogs {

// The language's label of key ("K0006" ...); the key itself for a field without one.
QString defaultFieldLabel(const settings::LanguageTexts& texts, std::string_view key);

// The stored description of key when it is not empty, else its default label.
QString fieldLabel(shell::KelmarProcess& process, std::string_view key);

}  // namespace kelmar::dialogs
