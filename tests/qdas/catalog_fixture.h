#pragma once
// What the catalog and value-file tests share: a temporary program folder, a
// file system that can fail, recorded messages and a memory settings store.

#include <gtest/gtest.h>

#include "qdas/catalog_context.h"
#include "settings/settings_backend.h"
#include "settings/settings_store.h"
#include "support/faulty_file_system.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace kelmar::test {

class CatalogFixture : public ::testing::Test {
protected:
    TempFolder home;
    FaultyFileSystem files;
    RecordingMessages messages;
    kelmar::settings::LanguageTexts texts;
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    qdas::CatalogContext context{files, messages, texts, store, home.path()};
};

}  // namespace kelmar::test
