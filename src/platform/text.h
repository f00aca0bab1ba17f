#pragma once
// Small text helpers shared by the core.

#include <string>
#include <string_view>

namespace kelmar::platform {

// Removes leading and trailing blanks (spaces only, as the host's trim does).
std::string trimBlanks(std::string_view text);

// ASCII upper case; other bytes unchanged.
std::string upperAscii(std::string_view text);

}  // namespace kelmar::platform
