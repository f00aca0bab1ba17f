#include "platform/text.h"

namespace kelmar::platform {

std::string trimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

void blankControlCharacters(char* first, char* last) {
    for (char* c = first; c != last; ++c)
        if (isControlByte(*c)) *c = ' ';
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace kelmar::platform
