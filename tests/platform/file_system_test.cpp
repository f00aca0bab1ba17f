#include "platform/file_system.h"
#include "platform/paths.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace kelmar;
using platform::splitLines;

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb\r\n\r\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(splitLines("\r\n").size(), 1u);
}

TEST(DiskFileSystem, CopyAndRenameRefuseAnExistingTarget) {
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    ASSERT_TRUE(fs->writeFile(dir.file("a"), "one"));
    ASSERT_TRUE(fs->writeFile(dir.file("b"), "two"));
    EXPECT_FALSE(fs->copyFile(dir.file("a"), dir.file("b"), false));
    EXPECT_EQ(dir.read("b"), "two");
    EXPECT_TRUE(fs->copyFile(dir.file("a"), dir.file("b"), true));
    EXPECT_EQ(dir.read("b"), "one");

    ASSERT_TRUE(fs->writeFile(dir.file("c"), "three"));
    EXPECT_FALSE(fs->renameFile(dir.file("c"), dir.file("b")));
    EXPECT_EQ(dir.read("b"), "one");
    EXPECT_TRUE(fs->renameFile(dir.file("c"), dir.file("d")));
    EXPECT_FALSE(dir.exists("c"));
    EXPECT_EQ(dir.read("d"), "three");
}

TEST(DiskFileSystem, FailuresAreResultsNotCrashes) {
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    EXPECT_FALSE(fs->readFile(dir.file("missing")));
    EXPECT_FALSE(fs->readFile(dir.path()));  // a folder is not a file
    EXPECT_FALSE(fs->writeFile(dir.file("no/such/folder/x"), "x"));
    EXPECT_FALSE(fs->createFolder(dir.file("no/such")));
    EXPECT_TRUE(fs->createFolder(dir.file("made")));
    EXPECT_FALSE(fs->createFolder(dir.file("made")));
    EXPECT_TRUE(fs->folderExists(dir.file("made")));
    EXPECT_FALSE(fs->fileExists(dir.file("made")));
    EXPECT_FALSE(fs->removeFile(dir.file("made")));
    EXPECT_TRUE(fs->listFiles(dir.file("none")).empty());
    ASSERT_TRUE(fs->appendFile(dir.file("log"), "a"));
    ASSERT_TRUE(fs->appendFile(dir.file("log"), "b"));
    EXPECT_EQ(dir.read("log"), "ab");
    EXPECT_EQ(fs->listFiles(dir.path()), std::vector<std::string>{"log"});
}

TEST(FaultyFileSystem, FailsOnlyTheChosenOperations) {
    test::TempFolder dir;
    test::FaultyFileSystem fs;
    fs.fail(test::FileOp::Write, "TempData");
    EXPECT_TRUE(fs.writeFile(dir.file("ok.txt"), "x"));
    dir.makeFolder("TempData");
    EXPECT_FALSE(fs.writeFile(dir.file("TempData/a.dfq"), "x"));
    fs.clearFaults();
    fs.diskFullAfter(2);
    EXPECT_FALSE(fs.writeFile(dir.file("TempData/a.dfq"), "abcdef"));
    EXPECT_EQ(dir.read("TempData/a.dfq"), "ab");
}

TEST(Paths, SeparatorsAndSafeNames) {
    EXPECT_EQ(platform::joinPath("/opt/k", "TempData"), "/opt/k/TempData");
    EXPECT_EQ(platform::joinPath("/opt/k/", "TempData"), "/opt/k/TempData");
    EXPECT_EQ(platform::joinPath("/opt/k/", "/TempData"), "/opt/k/TempData");
    EXPECT_EQ(platform::nativeSeparators("\\Languages\\resource.dll"), "/Languages/resource.dll");
    EXPECT_EQ(platform::safeNamePart("A/B\\C"), "A_B_C");
    EXPECT_EQ(platform::safeNamePart(".."), "__");
    EXPECT_EQ(platform::safeNamePart("a..b"), "a..b");
    EXPECT_EQ(platform::safeNamePart(std::string("a\0b", 3)), "a_b");
}

TEST(Paths, ProgramFolderAndSettingsFileFollowTheEnvironment) {
    setenv("KELMAR_HOME", "/srv/kelmar/", 1);
    EXPECT_EQ(platform::programFolder(nullptr), "/srv/kelmar");
    unsetenv("KELMAR_HOME");
    EXPECT_FALSE(platform::programFolder(nullptr).empty());
    setenv("KELMAR_SETTINGS", "/tmp/x.ini", 1);
    EXPECT_EQ(platform::settingsFilePath("/srv/kelmar"), "/tmp/x.ini");
    unsetenv("KELMAR_SETTINGS");
    EXPECT_EQ(platform::settingsFilePath("/srv/kelmar"), "/srv/kelmar/settings.ini");
}
