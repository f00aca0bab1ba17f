#include "capture/text_cleanup.h"

#include "platform/text.h"

namespace kelmar::capture {

std::string mdlClearFormat(std::string& text) {
    platform::blankControlCharacters(text);
    if (text.size() >= 256) text.resize(255);
    return text;
}

}  // namespace kelmar::capture
