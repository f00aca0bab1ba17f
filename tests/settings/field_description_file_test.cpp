// The K-field label texts in the store and in QDAS_Settings.cfg.

#include "settings/field_description_file.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace kelmar;
using namespace kelmar::settings;

namespace {

size_t indexOf(const char* key) {
    for (size_t i = 0; i < kFieldDescriptionCount; ++i)
        if (std::string(kFieldDescriptions[i].key) == key) return i;
    return kFieldDescriptionCount;
}

FieldTexts ownTexts() {
    FieldTexts texts;
    for (size_t i = 0; i < kFieldDescriptionCount; ++i) texts[i] = kFieldDescriptions[i].key + std::string(", own");
    return texts;
}

}  // namespace

TEST(FieldTexts, MissingOrEmptyStoredTextsGiveTheDefaults) {
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    FieldTexts texts = ownTexts();
    texts[indexOf("K0009")] = "";
    SaveFieldTexts(store, texts);
    EXPECT_EQ(backend.values().size(), kFieldDescriptionCount);
    EXPECT_EQ(backend.values().at("TXTK1209"), "K1209, own");
    FieldTexts loaded = LoadFieldTexts(store);
    EXPECT_EQ(loaded[indexOf("K0009")], "Text");
    EXPECT_EQ(loaded[indexOf("K0011")], "K0011, own");
    backend.setReadable(false);
    EXPECT_EQ(LoadFieldTexts(store)[indexOf("K0006")], "Batch number");
}

TEST(FieldDescriptionFile, ExportThenImportRestoresTextsWithCommasInTheFileOrder) {
    test::TempFolder home;
    auto files = platform::makeDiskFileSystem();
    std::string path = fieldDescriptionFilePath(home.path());
    home.write("QDAS_Settings.cfg",
               "an older, longer file\r\nreplaced whole\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nx\r\n");
    ASSERT_TRUE(ExportFieldDescriptions(*files, path, ownTexts()));
    std::string content = home.read("QDAS_Settings.cfg");
    EXPECT_EQ(content.find("\"K0006, own\"\r\n\"K0007, own\""), 0u);
    EXPECT_NE(content.find("\"K0010, own\"\r\n\"K0012, own\""), std::string::npos);  // K0011 moved
    EXPECT_EQ(content.substr(content.size() - 28), "\"K0011, own\"\r\n\"K1209, own\"\r\n");
    ImportedFieldTexts imported = ImportFieldDescriptions(*files, path);
    for (size_t i = 0; i < kFieldDescriptionCount; ++i) EXPECT_EQ(imported[i], ownTexts()[i]) << i;
}

TEST(FieldDescriptionFile, ItemsByCommaOrLineAndBrokenOnesFillOnlyTheirOwnFields) {
    // Items separated by commas, lines or both; a broken item keeps its place.
    ImportedFieldTexts imported =
        parseFieldDescriptionFile("\"A, a\",\"B\"\r\nplain words\r\n\"C\" x, \"D\" ,\r\n\"E, e\r\n\"F\"");
    EXPECT_EQ(imported[indexOf("K0006")], "A, a");
    EXPECT_EQ(imported[indexOf("K0007")], "B");
    EXPECT_EQ(imported[indexOf("K0008")], "plain words");
    EXPECT_FALSE(imported[indexOf("K0009")]);
    EXPECT_EQ(imported[indexOf("K0010")], "D");
    EXPECT_FALSE(imported[indexOf("K0012")]);  // file item 6: the unclosed quote
    EXPECT_EQ(imported[indexOf("K0053")], "F");
    for (const char* key : {"K0011", "K2320", "K2401", "K2402", "K1209"}) EXPECT_FALSE(imported[indexOf(key)]) << key;

    // All twelve on one line, in the file's order.
    std::string oneLine;
    for (int item = 1; item <= 12; ++item) oneLine += (item > 1 ? "," : "") + std::string("\"t") + std::to_string(item) + "\"";
    imported = parseFieldDescriptionFile(oneLine + "\r\n");
    EXPECT_EQ(imported[indexOf("K0012")], "t6");
    EXPECT_EQ(imported[indexOf("K0011")], "t11");
    EXPECT_EQ(imported[indexOf("K1209")], "t12");

    test::TempFolder home;
    test::FaultyFileSystem files;
    std::string path = fieldDescriptionFilePath(home.path());
    EXPECT_EQ(ImportFieldDescriptions(files, path), ImportedFieldTexts{});
    files.fail(test::FileOp::Write);
    EXPECT_FALSE(ExportFieldDescriptions(files, path, ownTexts()));
}
