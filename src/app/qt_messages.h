#pragma once
// Message boxes of the desktop program.

#include "platform/messages.h"

#include <functional>

class QWidget;

namespace kelmar::app {

class QtMessages final : public platform::Messages {
public:
    // How the bytes of a text are shown; it may follow the active language.
    void setCodePageSource(std::function<platform::CodePage()> codePage) { codePage_ = std::move(codePage); }

    void show(platform::MessageKind kind, const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;

private:
    std::function<platform::CodePage()> codePage_ = [] { return platform::installationCodePage(); };
};

}  // namespace kelmar::app
