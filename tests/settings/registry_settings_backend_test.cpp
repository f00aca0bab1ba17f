#include "settings/win/registry_settings_backend.h"

#include "settings/settings_store.h"
#include "support/recording_messages.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelmar;

namespace {

// A key of the test's own under HKEY_CURRENT_USER, removed again at the end.
struct TestKey {
    std::string path = "Software\\KelmarRegistryTest" + std::to_string(GetCurrentProcessId());
    ~TestKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }
};

TEST(RegistrySettingsBackend, StoresTextsUnderTheRootAndTheKFieldKeyAndReadsNumbers) {
    TestKey root;
    test::RecordingMessages messages;
    settings::RegistrySettingsBackend backend(HKEY_CURRENT_USER, root.path, platform::CodePage::Windows1252,
                                              messages);
    settings::SettingsStore store(backend);
    EXPECT_FALSE(backend.read("DIR").has_value());
    EXPECT_TRUE(store.writeText("DIR", "C:\\Q-DAS\\S\xFC" "d"));
    EXPECT_TRUE(store.writeCheck("K_Fields_Settings\\K0006", true));
    EXPECT_EQ(backend.read("DIR"), "C:\\Q-DAS\\S\xFC" "d");
    EXPECT_EQ(store.readFlag("K_Fields_Settings\\K0006"), true);

    // The K-field value lies in its own sub-key, as a REG_SZ text.
    char text[64] = {};
    DWORD size = sizeof text, type = 0;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, (root.path + "\\K_Fields_Settings").c_str(), "K0006",
                           RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // A value some other tool stored as a number reads as its decimal text.
    const DWORD counter = 7;
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, root.path.c_str(), "FileCounter", REG_DWORD, &counter,
                              sizeof counter),
              ERROR_SUCCESS);
    EXPECT_EQ(backend.read("FileCounter"), "7");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(RegistrySettingsBackend, ARefusedWriteFailsAndIsShownOnce) {
    TestKey root;
    // Below a volatile key the registry refuses lasting keys, as it refuses a key the user
    // has no rights to; either way nothing may be lost without a word.
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, root.path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &volatileKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    test::RecordingMessages messages;
    settings::RegistrySettingsBackend backend(HKEY_CURRENT_USER, root.path + "\\Settings",
                                              platform::CodePage::Windows1252, messages);
    settings::SettingsStore store(backend);
    EXPECT_FALSE(store.writeText("DIR", "C:\\out"));
    EXPECT_FALSE(store.writeCheck("K_Fields_Settings\\K0006", true));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("DIR could not be stored"), std::string::npos) << messages.shown[0].text;
}

}  // namespace
