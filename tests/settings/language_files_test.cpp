// The language files that ship with the program.

#include "capture/axis_names.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "settings/language_texts.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

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

TEST(ShippedLanguages, EveryFileHas281CrLfLinesAndLoads) {
    std::map<std::string, std::string> contents;
    for (const char* name : kLanguages) {
        std::string content = readShipped(name);
        ASSERT_FALSE(content.empty()) << name;
        EXPECT_EQ(count(content, "\r\n"), 281u) << name;
        EXPECT_EQ(count(content, "\n"), 281u) << name << " has a bare line feed";
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << name;
        auto lines = platform::splitLines(content);
        ASSERT_EQ(lines.size(), 281u) << name;
        for (int i : {1, 33, 177, 196, 233, 273, 281})
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
    ASSERT_EQ(lines.size(), 281u);
    std::map<int, std::string> captions = {
        {61, "Cancel"},        {62, "OK"},
        {64, "Create files for Q-DAS Monitoring"},
        {115, "OK"},           {116, "Delete Data"},
        {196, "Online"},       {197, "Import ONLINE On/Off"},
        {198, "Offline"},      {200, "ASCII Export"},
        {202, "Exit"},         {204, "ORVELAN Part Information"},
        {209, "Characteristic Data"},
        {210, "Uncheck all Values"},
        {215, "Nominal"},      {216, "Measured"},
        {222, "Upper Specification Limit"},
        {230, "Path for Output File"},
        {264, "Dimension ID"}, {265, "Characteristcs Counter"},
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
