#pragma once
// The settings store on Windows: values under one registry key, "K_Fields_Settings\..."
// names one level deeper. Values are written as REG_SZ text; REG_DWORD is read too.

#include "platform/code_page.h"
#include "platform/messages.h"
#include "settings/language_texts.h"
#include "settings/settings_backend.h"

#include <windows.h>

#include <string>

namespace kelmar::settings {

// The installation's key: HKEY_LOCAL_MACHINE\SOFTWARE\VARNOSTIK\KELMAR\Settings.
inline constexpr const char* kRegistrySettingsKey = "SOFTWARE\\VARNOSTIK\\KELMAR\\Settings";

class RegistrySettingsBackend final : public SettingsBackend {
public:
    // base is a predefined or opened key (HKEY_LOCAL_MACHINE for the installation);
    // the first write the registry refuses is shown through messages, once, in the
    // language of texts (English while there are none).
    RegistrySettingsBackend(HKEY base, std::string rootKey, platform::CodePage codePage, platform::Messages& messages,
                            const LanguageTexts* texts = nullptr);

    std::optional<std::string> read(const std::string& name) override;
    bool write(const std::string& name, const std::string& value) override;

private:
    // The key path and the value name of a setting's name.
    std::pair<std::wstring, std::wstring> locate(const std::string& name) const;

    HKEY base_;
    std::string rootKey_;
    platform::CodePage codePage_;
    platform::Messages& messages_;
    const LanguageTexts* texts_;
    bool refusalShown_ = false;
};

}  // namespace kelmar::settings
