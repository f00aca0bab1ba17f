#include "support/recording_messages.h"

namespace kelmar::test {

void RecordingMessages::show(platform::MessageKind kind, const std::string& title, const std::string& text) {
    shown.push_back({kind, title, text});
}

bool RecordingMessages::askYesNo(const std::string& title, const std::string& text) {
    shown.push_back({platform::MessageKind::Question, title, text});
    if (answers_.empty()) return false;
    bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

std::vector<std::string> RecordingMessages::texts() const {
    std::vector<std::string> result;
    for (const auto& message : shown) result.push_back(message.text);
    return result;
}

}  // namespace kelmar::test
