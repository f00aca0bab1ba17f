#include "settings/setting_names.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

using namespace kelmar::settings;

class SettingsStoreTest : public ::testing::Test {
protected:
    MemorySettingsBackend backend;
    SettingsStore store{backend};
};

TEST_F(SettingsStoreTest, ReadsFailForMissingAndWrongKinds) {
    EXPECT_FALSE(store.readText("DIR"));
    EXPECT_FALSE(store.readInt("FileName1"));
    backend.write("FileName1", "two");
    EXPECT_FALSE(store.readInt("FileName1"));
    backend.write("FileName1", "99999999999");
    EXPECT_FALSE(store.readInt("FileName1"));
    backend.write("FileName1", " -3 ");
    EXPECT_EQ(store.readInt("FileName1"), -3);
    backend.write("UseQPos", "maybe");
    EXPECT_FALSE(store.readFlag("UseQPos"));
}

TEST_F(SettingsStoreTest, FlagsReadBackWhateverFormTheyWereWrittenIn) {
    for (auto [text, on] : {std::pair{"true", true}, {"FALSE", false}, {"True", true}, {"-1", true},
                            {"1", true}, {"0", false}, {"7", true}}) {
        backend.write("MultiLine", text);
        EXPECT_EQ(store.readFlag("MultiLine"), on) << text;
    }
    store.writeCheck("UseCFG", true);
    store.writeBool("QDV", false);
    EXPECT_EQ(backend.values().at("UseCFG"), "1");
    EXPECT_EQ(backend.values().at("QDV"), "false");
    EXPECT_EQ(store.readFlag("UseCFG"), true);
    EXPECT_EQ(store.readFlag("QDV"), false);
}

TEST_F(SettingsStoreTest, DefaultsAreWrittenBackOnlyWhenAsked) {
    EXPECT_FALSE(store.readFlagOr(names::DimensionNumber, false, true));
    EXPECT_EQ(backend.values().at(names::DimensionNumber), "false");
    EXPECT_TRUE(store.readFlagOr(names::UseQPos, true, false));
    EXPECT_EQ(backend.values().count(names::UseQPos), 0u);
    EXPECT_EQ(store.readTextOr(names::ValueFilePath, "/k/Catalogs/", true), "/k/Catalogs/");
    EXPECT_EQ(backend.values().at(names::ValueFilePath), "/k/Catalogs/");
}

TEST_F(SettingsStoreTest, LanguageZeroOrMissingMeansEnglishWithoutWriting) {
    EXPECT_EQ(store.languageNumber(), 1);
    backend.write(names::Language, "0");
    EXPECT_EQ(store.languageNumber(), 1);
    EXPECT_EQ(backend.values().at(names::Language), "0");
    backend.write(names::Language, "8");
    EXPECT_EQ(store.languageNumber(), 8);
}

TEST_F(SettingsStoreTest, FailingBackendNeverThrows) {
    backend.setWritable(false);
    EXPECT_FALSE(store.writeText("DIR", "/x"));
    EXPECT_FALSE(store.readFlagOr(names::DimensionName, false, true));
    backend.setReadable(false);
    EXPECT_FALSE(store.readText("DIR"));
    EXPECT_EQ(SettingsStore::kFieldName("K0006"), "K_Fields_Settings\\K0006");
}
