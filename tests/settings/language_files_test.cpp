// The language files that ship with the program.

#include "capture/axis_names.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "settings/language_texts.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

using namespace kelmar;

namespace {

const char* const kLanguages[] = {"English", "German",  "French",     "Italian",
                                  "Czech",   "Spanish", "Portuguese", "Hungaria"};

std::string readShipped(const std::string& name) {
    std::ifstream in(test::sourceDir() + "/resources/Languages/" + name + ".dll", std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

}  // namespace

// The placeholders %1..%9 a text holds.
std::set<std::string> placeholders(const std::string& text) {
    std::set<std::string> found;
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
        if (at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9') found.insert(text.substr(at, 2));
    return found;
}

constexpr size_t kLines = settings::kLastTextLine;

TEST(ShippedLanguages, EveryFileHasAllCrLfLinesAndLoads) {
    std::map<std::string, std::string> contents;
    for (const char* name : kLanguages) {
        std::string content = readShipped(name);
        ASSERT_FALSE(content.empty()) << name;
        EXPECT_EQ(count(content, "\r\n"), kLines) << name;
        EXPECT_EQ(count(content, "\n"), kLines) << name << " has a bare line feed";
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << name;
        auto lines = platform::splitLines(content);
        ASSERT_EQ(lines.size(), kLines) << name;
        for (int i : {1, 33, 177, 196, 233, 273, 281, 282, settings::kLastTextLine})
            EXPECT_FALSE(lines[i - 1].empty()) << name << " line " << i;
        // Every byte must mean something in the file's code page.
        auto cp = std::string(name) == "Czech" || std::string(name) == "Hungaria" ? platform::CodePage::Windows1250
                                                                                   : platform::CodePage::Windows1252;
        EXPECT_EQ(platform::toUtf8(content, cp).find("\xEF\xBF\xBD"), std::string::npos) << name;
        contents[name] = content;
    }
    for (auto a = contents.begin(); a != contents.end(); ++a)
        for (auto b = std::next(a); b != contents.end(); ++b)
            EXPECT_NE(a->second, b->second) << a->first << " and " << b->first << " are identical";
    EXPECT_EQ(readShipped("resource"), contents["English"]);
}

TEST(ShippedLanguages, EnglishCarriesTheDesignCaptions) {
    auto lines = platform::splitLines(readShipped("English"));
    ASSERT_EQ(lines.size(), kLines);
    std::map<int, std::string> captions = {{61, "Cancel"},
                                           {62, "OK"},
                                           {64, "Create files for Q-DAS Monitoring"},
                                           {115, "OK"},
                                           {116, "Delete Data"},
                                           {196, "Online"},
                                           {197, "Import ONLINE On/Off"},
                                           {198, "Offline"},
                                           {200, "ASCII Export"},
                                           {202, "Exit"},
                                           {204, "ORVELAN Part Information"},
                                           {209, "Characteristic Data"},
                                           {210, "Uncheck all Values"},
                                           {215, "Nominal"},
                                           {216, "Measured"},
                                           {222, "Upper Specification Limit"},
                                           {230, "Path for Output File"},
                                           {264, "Dimension ID"},
                                           {265, "Characteristcs Counter"},
                                           {267, "ORVELAN Comment text"}};
    for (const auto& [line, text] : captions) EXPECT_EQ(lines[line - 1], text) << "line " << line;
}

TEST(ShippedLanguages, PositionAxesAreNamedSoGroupsCanBeFound) {
    // Position groups find their coordinate axes by these designations.
    test::TempFolder home;
    test::copyResources(home);
    auto files = platform::makeDiskFileSystem();
    test::RecordingMessages messages;
    settings::LanguageContext context{*files, messages, home.path(), nullptr, {}};
    settings::LanguageTexts texts;
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, context));
    EXPECT_EQ(capture::modAxisName("1202", texts), "X");
    EXPECT_EQ(capture::modAxisName("1203", texts), "Y");
    EXPECT_EQ(capture::modAxisName("1204", texts), "Z");
    EXPECT_EQ(capture::modAxisName("1207", texts), "PR");
    EXPECT_EQ(capture::modAxisName("1208", texts), "PA");
}

// Every text the program shows past the system's lines is in every language, with the
// English line's placeholders, and the program's English fallback is the English file.
TEST(ShippedLanguages, EveryProgramTextResolvesInEveryLanguage) {
    test::TempFolder home;
    test::copyResources(home);
    auto files = platform::makeDiskFileSystem();
    test::RecordingMessages messages;
    settings::LanguageContext context{*files, messages, home.path(), nullptr, {}};
    const std::vector<std::string> english = platform::splitLines(readShipped("English"));
    ASSERT_EQ(english.size(), kLines);
    for (const char* name : kLanguages) {
        files->copyFile(home.path() + "/Languages/" + name + ".dll", settings::languageFilePath(home.path()), true);
        settings::LanguageTexts texts;
        ASSERT_TRUE(settings::LoadLanguageTexts(texts, context)) << name;
        EXPECT_EQ(texts.linesRead, settings::kLastTextLine) << name;
        for (int n = settings::kFirstProgramLine; n <= settings::kLastTextLine; ++n) {
            const std::string& line = texts.line(n);
            EXPECT_FALSE(platform::trimBlanks(line).empty()) << name << " line " << n;
            EXPECT_EQ(placeholders(line), placeholders(english[n - 1])) << name << " line " << n;
            if (std::string(name) == "English") {
                EXPECT_EQ(line, settings::LanguageTexts{}.line(n)) << "the fallback differs at line " << n;
            }
        }
    }
    // A user's own file from an older installation: the program's texts are English.
    std::string old;
    for (int n = 0; n < settings::kLanguageLineCount; ++n) old += "Alt " + std::to_string(n + 1) + "\r\n";
    home.write("Languages/resource.dll", old);
    settings::LanguageTexts texts;
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, context));
    EXPECT_EQ(texts.line(281), "Alt 281");
    EXPECT_EQ(texts.text(settings::Text::CharacteristicsOutOfTolerance, {"3"}),
              "3 Characteristics are out of tolerance.");
    EXPECT_EQ(texts.text(settings::Text::CopyFailed, {"a", "b"}),
              "Copy of a\nto\nb\nfailed. Please upload the file manually.");
}

namespace {

// The string literals in the argument list that starts at `open` (just past its parenthesis).
std::vector<std::string> literalArguments(const std::string& source, size_t open) {
    std::vector<std::string> literals;
    for (size_t at = open, depth = 1; depth > 0 && at < source.size(); ++at) {
        const char c = source[at];
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == '\'' && at + 2 < source.size()) at += source[at + 1] == '\\' ? 3 : 2;
        if (c != '"') continue;
        size_t end = at + 1;
        while (end < source.size() && source[end] != '"') end += source[end] == '\\' ? 2 : 1;
        literals.push_back(source.substr(at + 1, end - at - 1));
        at = end;
    }
    return literals;
}

}  // namespace

// A message, status text or tool tip that the code spells out would stay English in every language:
// every one comes from the language files. The host simulator and Kelmar.log stay English.
TEST(ShippedLanguages, NoMessageOrStatusCallSpellsOutItsText) {
    const std::regex call(R"(\b(error|plain|information|askYesNo|fail|setStatusText|status|setToolTip|setOwnToolTip)\s*\()");
    const std::regex words("[A-Za-z]{2,} [A-Za-z]{2,}");
    std::vector<std::string> found;
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::sourceDir() + "/src")) {
        const std::string path = entry.path().generic_string();
        if (path.find("/src/host/") != std::string::npos ||
            (!path.ends_with(".cpp") && !path.ends_with(".h")))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        const std::string source = content.str();
        ++files;
        for (auto it = std::sregex_iterator(source.begin(), source.end(), call); it != std::sregex_iterator(); ++it)
            for (const std::string& literal : literalArguments(source, it->position() + it->length()))
                if (std::regex_search(literal, words)) found.push_back(path + ": " + literal);
    }
    EXPECT_GT(files, 100u);
    EXPECT_EQ(found, std::vector<std::string>{});
}
