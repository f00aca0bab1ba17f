#pragma once
// The texts of the active language, read from "<program folder>/Languages/resource.dll".

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "settings/program_texts.h"
#include "settings/settings_store.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kelmar::settings {

// The system's own lines; a file needs at least these. The program's texts follow them.
inline constexpr int kLanguageLineCount = 281;
// A language file is a few kilobytes; a larger one is refused unread.
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;

struct LanguageTexts {
    // Index 0 is never used; lines 1..kLastTextLine.
    std::array<std::string, kLastTextLine + 1> lines{};
    // How many lines the active file held; the program's texts past them are English.
    int linesRead = 0;
    // The code page the active file is written in (Czech and Hungarian use 1250).
    platform::CodePage codePage = platform::CodePage::Windows1252;

    // Line n, or empty for a number outside 1..kLastTextLine.
    const std::string& line(int n) const;
    // One of the program's texts, "\n" as a line break and %1..%9 replaced by args
    // (texts in the installation's code page, shown in the language's).
    std::string text(Text id, std::initializer_list<std::string_view> args = {}) const;
};

// The English text, for the debug log and other files that stay English.
std::string englishText(Text id, std::initializer_list<std::string_view> args = {});

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

// Reads the lines of resource.dll; at least the system's 281 must be there. On failure shows the error box and
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
