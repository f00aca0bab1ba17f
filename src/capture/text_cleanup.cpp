#include "capture/text_cleanup.h"

#include <algorithm>

namespace kelmar::capture {

std::string mdlClearFormat(std::string& text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    if (text.size() >= 256) text.resize(255);
    return text;
}

}  // namespace kelmar::capture
