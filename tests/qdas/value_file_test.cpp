#include "qdas/value_file.h"

#include <gtest/gtest.h>

#include "catalog_fixture.h"
#include "platform/paths.h"
#include "qdas/catalog_tables.h"
#include "settings/setting_names.h"

using namespace kelmar;
using namespace kelmar::qdas;
using Lines = std::vector<std::string>;

namespace {

class ValueFileTest : public test::CatalogFixture {
protected:
    ValueFileChoices lists;

    void SetUp() override {
        home.makeFolder("Values");
        store.writeText(settings::names::ValueFilePath, home.file("Values"));
    }
    std::string storedFolder() const { return backend.values().at(settings::names::ValueFilePath); }
};

}  // namespace

TEST_F(ValueFileTest, EachKeyReplacesItsOwnListWithTheLinesAsTheyStand) {
    const std::pair<const char*, Lines ValueFileChoices::*> targets[] = {{"K2320", &ValueFileChoices::ComboK2320},
                                                                         {"K2401", &ValueFileChoices::ComboK2401},
                                                                         {"K2402", &ValueFileChoices::ComboK2402},
                                                                         {"K2005", &ValueFileChoices::ComboMMKlasse},
                                                                         {"K1209", &ValueFileChoices::ComboK1209}};
    ASSERT_EQ(kValueFileKeys.size(), std::size(targets));
    for (const auto& [key, list] : targets) {
        (lists.*list).push_back("design entry");
        home.write(std::string("Values/") + key + ".dat", std::string(" ") + key + " first \r\n\r\nlast\r\n");
        ASSERT_TRUE(ReadValueFile(key, lists, context)) << key;
        EXPECT_EQ(lists.*list, (Lines{std::string(" ") + key + " first ", "", "last"})) << key;
    }
    // A key without a list reads its file and fills nothing.
    home.write("Values/K1001.dat", "part\r\n");
    EXPECT_TRUE(ReadValueFile("K1001", lists, context));
    EXPECT_EQ(lists.ComboK2320.size(), 3u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ValueFileTest, MissingOrUnreadableFileFailsAndKeepsTheEntriesTheListHad) {
    lists.ComboMMKlasse = {"unimportant", "little important", "important", "significant", "critical"};
    Lines before = lists.ComboMMKlasse;
    EXPECT_FALSE(ReadValueFile("K2005", lists, context));
    home.write("Values/K2005.dat", "replaced\r\n");
    files.fail(test::FileOp::Read, "K2005.dat");
    EXPECT_FALSE(ReadValueFile("K2005", lists, context));
    EXPECT_EQ(lists.ComboMMKlasse, before);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ValueFileTest, OnlyK1209LinesAreCutToTwentyCharactersWithOneMessagePerFile) {
    std::string twenty = "Production check 123";
    std::string longer = twenty + "45678";
    home.write("Values/K1209.dat", twenty + "\r\n" + longer + "\r\n");
    home.write("Values/K2402.dat", longer + "\r\n");
    ASSERT_TRUE(ReadValueFile("K1209", lists, context));
    ASSERT_TRUE(ReadValueFile("K2402", lists, context));
    EXPECT_EQ(lists.ComboK1209, (Lines{twenty, twenty}));
    EXPECT_EQ(lists.ComboK2402, Lines{longer});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Plain);
    EXPECT_EQ(messages.shown[0].text, "Item " + longer +
                                          " in Catalog file K1209 is longer as 20 charaters.\n"
                                          "The Value will be cut to 20 characters.");

    // However many lines are cut, the file gives one box naming how many.
    std::string manyLong;
    for (int i = 0; i < 3000; ++i) manyLong += longer + "\r\n";
    home.write("Values/K1209.dat", manyLong);
    ASSERT_TRUE(ReadValueFile("K1209", lists, context));
    EXPECT_EQ(lists.ComboK1209, Lines(3000, twenty));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "3000 items in Catalog file K1209 are longer as 20 charaters.\nThe Values will be cut to 20 characters.");
}

TEST_F(ValueFileTest, NoListGrowsPastTheSixteenBitCount) {
    std::string content;
    for (int i = 0; i <= kMaxCatalogEntries + 10; ++i) content += "PO\r\n";
    home.write("Values/K2320.dat", content);
    ASSERT_TRUE(ReadValueFile("K2320", lists, context));
    EXPECT_EQ(lists.ComboK2320.size(), static_cast<size_t>(kMaxCatalogEntries));
}

TEST_F(ValueFileTest, ShippedFilesReadFromTheDefaultFolderWrittenWhenTheSettingIsMissingOrBlank) {
    test::copyResources(home);
    backend.setReadable(false);
    ASSERT_TRUE(ReadValueFile("K2320", lists, context));
    backend.setReadable(true);
    std::string expected = home.file("Catalogs") + platform::pathSeparator();
    EXPECT_EQ(storedFolder(), expected);
    store.writeText(settings::names::ValueFilePath, "  ");
    for (const char* key : kValueFileKeys) EXPECT_TRUE(ReadValueFile(key, lists, context)) << key;
    EXPECT_EQ(storedFolder(), expected);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(std::vector<size_t>(
                  {lists.ComboK2320.size(), lists.ComboK2401.size(), lists.ComboK2402.size(), lists.ComboK1209.size()}),
              (std::vector<size_t>{7, 9, 9, 10}));
    // K2005 stores the list position, so the classes keep the form's own order.
    EXPECT_EQ(lists.ComboMMKlasse, (Lines{"unimportant", "little important", "important", "significant", "critical"}));
}
