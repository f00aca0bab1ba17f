#pragma once
// A messages port that records every box and answers questions from a script.

#include "platform/messages.h"

#include <deque>
#include <string>
#include <vector>

namespace kelmar::test {

struct ShownMessage {
    platform::MessageKind kind;
    std::string title;
    std::string text;
};

class RecordingMessages final : public platform::Messages {
public:
    void show(platform::MessageKind kind, const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;

    // Answers of the next questions, in order; No once the script is used up.
    void answer(bool yes) { answers_.push_back(yes); }

    std::vector<ShownMessage> shown;
    // Texts only, for short assertions.
    std::vector<std::string> texts() const;

private:
    std::deque<bool> answers_;
};

}  // namespace kelmar::test
