#pragma once
// Message boxes of the desktop program.

#include "platform/messages.h"
#include "settings/language_texts.h"

class QWidget;

namespace kelmar::app {

class QtMessages final : public platform::Messages {
public:
    // The active language: its code page shows the bytes of a text, its lines name the Yes and No buttons.
    void setLanguage(const settings::LanguageTexts* texts) { texts_ = texts; }

    void show(platform::MessageKind kind, const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;

private:
    platform::CodePage codePage() const { return texts_ ? texts_->codePage : platform::installationCodePage(); }

    const settings::LanguageTexts* texts_ = nullptr;
};

}  // namespace kelmar::app
