#pragma once
// The axis designation that ends a Characteristic's name, by the command's kind.

#include "settings/language_texts.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelmar::capture {

// The language line (1..52) of a kind code given as decimal text, or nothing.
// The text must match exactly: "01100" or " 1100" match no code.
std::optional<int> axisNameLine(std::string_view kindText);

// The designation of a kind, or "UnknownType" when the kind has none.
std::string modAxisName(std::string_view kindText, const settings::LanguageTexts& texts);

}  // namespace kelmar::capture
