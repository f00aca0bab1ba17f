#include "settings/language_texts.h"
#include "settings/setting_names.h"
#include "support/faulty_file_system.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace kelmar;
using settings::LanguageTexts;

namespace {

std::string languageFile(const std::string& prefix, int lines) {
    std::string content;
    for (int i = 1; i <= lines; ++i) content += prefix + std::to_string(i) + "\r\n";
    return content;
}

class LanguageTextsTest : public ::testing::Test {
protected:
    test::TempFolder home;
    test::FaultyFileSystem files;
    test::RecordingMessages messages;
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    std::vector<std::string> statuses;
    settings::LanguageContext context{files, messages, home.path(), &store,
                                      [this](const std::string& s) { statuses.push_back(s); }};
    LanguageTexts texts;

    void writeLanguage(const std::string& name, const std::string& content) {
        home.write("Languages/" + name, content);
    }
};

}  // namespace

TEST_F(LanguageTextsTest, LoadsAll281LinesAsTheyStand) {
    std::string content = languageFile("line ", 281);
    content.replace(content.find("line 7\r\n"), 8, "  padded  \r\n");
    writeLanguage("resource.dll", content + "extra\r\n");
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, context));
    EXPECT_EQ(texts.line(1), "line 1");
    EXPECT_EQ(texts.line(7), "  padded  ");
    EXPECT_EQ(texts.line(281), "line 281");
    // Past the system's lines come the program's own texts; past the file's end they are English.
    EXPECT_EQ(texts.line(282), "extra");
    EXPECT_EQ(texts.line(283), settings::englishText(static_cast<settings::Text>(283)));
    EXPECT_EQ(texts.line(settings::kLastTextLine + 1), "");
    EXPECT_EQ(statuses, (std::vector<std::string>{"", "line 237"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(texts.codePage, platform::CodePage::Windows1252);
}

TEST_F(LanguageTextsTest, ShortOrMissingFileFailsWithTheMessage) {
    writeLanguage("resource.dll", languageFile("short ", 280));
    EXPECT_FALSE(settings::LoadLanguageTexts(texts, context));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text, "File " + home.file("Languages/resource.dll") + " was not found.");
    // Lines read before the failure keep their new texts.
    EXPECT_EQ(texts.line(236), "short 236");
    EXPECT_EQ(statuses.back(), "short 236");

    files.fail(test::FileOp::Read, "resource.dll");
    EXPECT_FALSE(settings::LoadLanguageTexts(texts, context));
    EXPECT_EQ(messages.shown.size(), 2u);
    settings::LanguageContext elsewhere{files, messages, home.file("none"), nullptr, {}};
    EXPECT_FALSE(settings::LoadLanguageTexts(texts, elsewhere));
}

TEST_F(LanguageTextsTest, WritesAxisLetterOnlyWhenTheStoreIsOpenAndTheValueMissing) {
    writeLanguage("resource.dll", languageFile("x", 281));
    settings::LanguageContext early{files, messages, home.path(), nullptr, {}};
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, early));
    EXPECT_TRUE(backend.values().empty());
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, context));
    EXPECT_EQ(backend.values().at(settings::names::AxisLetter), "0");
    backend.write(settings::names::AxisLetter, "1");
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, context));
    EXPECT_EQ(backend.values().at(settings::names::AxisLetter), "1");
}

TEST_F(LanguageTextsTest, SwitchCopiesTheFileAndRestartsStartup) {
    writeLanguage("resource.dll", languageFile("en ", 281));
    writeLanguage("Hungaria.dll", languageFile("hu ", 281));
    int restarts = 0;
    settings::SwitchLanguage(texts, context, "Hungaria", [&] { ++restarts; });
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(home.read("Languages/resource.dll"), languageFile("hu ", 281));
    EXPECT_EQ(texts.line(5), "hu 5");
    EXPECT_EQ(texts.codePage, platform::CodePage::Windows1250);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LanguageTextsTest, SwitchToAnAbsentLanguageChangesNothing) {
    writeLanguage("resource.dll", languageFile("en ", 281));
    ASSERT_TRUE(settings::LoadLanguageTexts(texts, context));
    int restarts = 0;
    settings::SwitchLanguage(texts, context, "Czech", [&] { ++restarts; });
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(texts.line(5), "en 5");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Information);
    EXPECT_EQ(messages.shown[0].text, "Language file " + home.file("Languages/Czech.dll") + " did not exist.");
}

TEST_F(LanguageTextsTest, SwitchToABrokenFileReportsTheReloadFailure) {
    writeLanguage("resource.dll", languageFile("en ", 281));
    writeLanguage("German.dll", languageFile("de ", 12));
    settings::SwitchLanguage(texts, context, "German", [] {});
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "Unable to use selected language file. Please choose another language or check, that the selected "
              "language file exist on your system.");
    EXPECT_EQ(settings::languageBaseName(8), "Hungaria");
    EXPECT_EQ(settings::languageBaseName(0), "English");
}
