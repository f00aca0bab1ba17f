#include "platform/messages.h"

#include <cstdlib>
#include <string_view>

namespace kelmar::platform {

std::string unattendedLine(MessageKind kind, const std::string& text) {
    std::string line;
    switch (kind) {
    case MessageKind::Information: line = "[info] "; break;
    case MessageKind::Error: line = "[error] "; break;
    case MessageKind::Plain: line = "[plain] "; break;
    case MessageKind::Question: line = "[question] "; break;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += " | ";
        } else {
            line += c;
        }
    }
    if (kind == MessageKind::Question) line += " -> No";
    return line;
}

void UnattendedMessages::show(MessageKind kind, const std::string&, const std::string& text) {
    out_ << toUtf8(unattendedLine(kind, text), codePage_) << '\n' << std::flush;
}

bool UnattendedMessages::askYesNo(const std::string&, const std::string& text) {
    out_ << toUtf8(unattendedLine(MessageKind::Question, text), codePage_) << '\n' << std::flush;
    return false;
}

bool unattendedMode() {
    const char* value = std::getenv("KELMAR_UNATTENDED");
    return value && std::string_view(value) == "1";
}

}  // namespace kelmar::platform
