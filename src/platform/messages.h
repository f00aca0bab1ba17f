#pragma once
// The message boxes of the system, behind a port: Qt message boxes in the
// program, a recording fake in tests, standard error in unattended runs.

#include "platform/code_page.h"

#include <ostream>
#include <string>

namespace kelmar::platform {

enum class MessageKind { Information, Error, Plain, Question };

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a box with an OK button. Line breaks in text are "\n".
    virtual void show(MessageKind kind, const std::string& title, const std::string& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;

    void information(const std::string& title, const std::string& text) { show(MessageKind::Information, title, text); }
    void error(const std::string& title, const std::string& text) { show(MessageKind::Error, title, text); }
    void plain(const std::string& title, const std::string& text) { show(MessageKind::Plain, title, text); }
};

// Unattended runs: one line per box on a stream (in UTF-8), questions answered No.
class UnattendedMessages final : public Messages {
public:
    UnattendedMessages(std::ostream& out, CodePage codePage) : out_(out), codePage_(codePage) {}
    void show(MessageKind kind, const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;

private:
    std::ostream& out_;
    CodePage codePage_;
};

// "[info] text" and so on, with line breaks written as " | ".
std::string unattendedLine(MessageKind kind, const std::string& text);

// Whether KELMAR_UNATTENDED=1 is set.
bool unattendedMode();

}  // namespace kelmar::platform
