#pragma once
// Host comment lines made single-line and cut to what the Q-DAS output accepts.

#include <string>

namespace kelmar::capture {

// Every control character (CR, LF, NUL, ESC ...) becomes a blank; a text of 256 or more characters keeps its first 255.
// Cleans text in place and returns the cleaned text.
std::string mdlClearFormat(std::string& text);

}  // namespace kelmar::capture
