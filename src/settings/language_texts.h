#pragma once
// The texts of the active language, read from "<program folder>/Languages/resource.dll".

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "settings/settings_store.h"

#include <array>
#include <functional>
#include <string>

namespace kelmar::settings {

inline constexpr int kLanguageLineCount = 281;
// A language file is a few kilobytes; a larger one is refused unread.
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;

struct LanguageTexts {
    // Index 0 is never used; lines 1..281.
    std::array<std::string, kLanguageLineCount + 1> lines{};
    // The code page the active file is written in (Czech and Hungarian use 1250).
    platform::CodePage codePage = platform::CodePage::Windows1252;

    // Line n, or empty for a number outside 1..281.
    const std::string& line(int n) const;
};

// What loading and switching need from the rest of the program.
struct LanguageContext {
    platform::FileSystem& files;
    platform::Messages& messages;
    std::string programFolder;
    // The settings store once start-up has opened it; null before.
    SettingsStore* settings = nullptr;
    // Status panel 1 of the main window.
    std::function<void(const std::string&)> setStatus;
};

// Reads the 281 lines of resource.dll. On failure shows the error box and
// returns false; lines read before the failure keep their new texts.
bool LoadLanguageTexts(LanguageTexts& texts, LanguageContext& context);

// Copies "<name>.dll" over resource.dll, runs restartStartup (the main
// window's start-up) and loads the texts once more.
void SwitchLanguage(LanguageTexts& texts, LanguageContext& context, const std::string& name,
                    const std::function<void()>& restartStartup);

// The base name of a language number 1..8 ("English" for anything else).
std::string languageBaseName(int number);

// The path of the active language file.
std::string languageFilePath(const std::string& programFolder);

}  // namespace kelmar::settings
