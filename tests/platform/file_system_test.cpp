#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/disk_file_system.h"
#include "platform/paths.h"
#include "support/environment.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

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

TEST(DiskFileSystem, NewFilesAreNeverMadeThroughASymlink) {
#ifdef _WIN32
    GTEST_SKIP() << "MinGW's library makes no symlinks and Wine's CreateSymbolicLinkW makes none either";
#endif
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    const std::string victim = dir.write("victim", "keep");
    std::filesystem::create_symlink(victim, dir.file("planted"));
    EXPECT_FALSE(fs->writeNewFile(dir.file("planted"), "evil"));
    EXPECT_FALSE(fs->copyToNewFile(dir.file("planted"), dir.file("copy")));  // the source is not followed either
    EXPECT_FALSE(fs->copyToNewFile(victim, dir.file("planted")));
    EXPECT_FALSE(fs->createNewFile(dir.file("planted")));
    EXPECT_EQ(dir.read("victim"), "keep");
    EXPECT_FALSE(dir.exists("copy"));
}

TEST(DiskFileSystem, NewFilesAreMadeExclusivelyFlushedAndReadBackFromTheEnd) {
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    const std::string victim = dir.write("victim", "keep");
    EXPECT_FALSE(fs->writeNewFile(victim, "evil"));
    EXPECT_FALSE(fs->copyToNewFile(victim, victim));
    EXPECT_FALSE(fs->createNewFile(victim));
    EXPECT_EQ(dir.read("victim"), "keep");

    // Written in parts (each flushed behind the writer's back), then flushed once more.
    const std::uint64_t flushes = platform::deviceFlushCount();
    std::unique_ptr<platform::NewFile> parts = fs->createNewFile(dir.file("parts"));
    ASSERT_TRUE(parts);
    const std::string big(3 << 20, 'x');
    EXPECT_TRUE(parts->append("head ") && parts->append(big) && parts->append(" tail"));
    EXPECT_TRUE(parts->finish());
    EXPECT_FALSE(parts->append("late"));
    parts.reset();
    EXPECT_EQ(dir.read("parts"), "head " + big + " tail");
    EXPECT_EQ(platform::deviceFlushCount(), flushes + 1);
    // One dropped before it was finished is gone.
    parts = fs->createNewFile(dir.file("dropped"));
    ASSERT_TRUE(parts && parts->append(big));
    parts.reset();
    EXPECT_FALSE(dir.exists("dropped"));

    ASSERT_TRUE(fs->writeNewFile(dir.file("new"), "data"));
    ASSERT_TRUE(fs->copyToNewFile(dir.file("new"), dir.file("copy")));
    EXPECT_EQ(dir.read("copy"), "data");
    EXPECT_TRUE(fs->flushFolder(dir.path()));
    EXPECT_FALSE(fs->writeNewFile(dir.file("no/such/x"), "x"));
    EXPECT_NE(fs->processTag(), fs->processTag());

    EXPECT_EQ(fs->readTail(dir.file("new"), 2), "ta");
    EXPECT_EQ(fs->readTail(dir.file("new"), 100), "data");
    EXPECT_FALSE(fs->readTail(dir.path(), 10));
}

TEST(DiskFileSystem, NamesInTheCodePageReachTheDiskAndComeBackUnchanged) {
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    const std::string folder = platform::joinPath(dir.path(), "S\xFC" "d");  // "Süd" in Windows-1252
    ASSERT_TRUE(fs->createFolder(folder));
    const std::string file = platform::joinPath(folder, "M\xFC" "ller \x80.dfq");
    ASSERT_TRUE(fs->writeNewFile(file, "data"));
    EXPECT_TRUE(fs->fileExists(file));
    EXPECT_EQ(fs->listFiles(folder), std::vector<std::string>{"M\xFC" "ller \x80.dfq"});
    ASSERT_TRUE(fs->renameFile(file, file + ".old"));
    EXPECT_EQ(fs->readFile(file + ".old"), "data");
}

TEST(DiskFileSystem, ALockExcludesASecondHolderUntilReleased) {
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    auto first = fs->lockFile(dir.file("lock"), 0);
    ASSERT_TRUE(first);
    EXPECT_FALSE(fs->lockFile(dir.file("lock"), 50));
    first.reset();
    EXPECT_TRUE(fs->lockFile(dir.file("lock"), 0));
}

TEST(DiskFileSystem, ALimitedReadRefusesALargerFileBeforeReadingIt) {
    test::TempFolder dir;
    auto fs = platform::makeDiskFileSystem();
    dir.write("small", "12345");
    EXPECT_EQ(fs->readFileUpTo(dir.file("small"), 5), "12345");
    EXPECT_FALSE(fs->readFileUpTo(dir.file("small"), 4));
    EXPECT_EQ(fs->fileSize(dir.file("small")), 5u);
    // A sparse gigabyte costs nothing on disk; reading it first would take the memory.
    std::filesystem::resize_file(dir.file("small"), std::uintmax_t{1} << 30);
    EXPECT_FALSE(fs->readFileUpTo(dir.file("small"), 1 << 20));
    EXPECT_FALSE(fs->readFileUpTo(dir.path(), 1 << 20));
    EXPECT_FALSE(fs->fileSize(dir.path()));
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
    // A one-off fault fails just that call; a new file that failed is not left.
    fs.clearFaults();
    fs.failCall(test::FileOp::Flush, 2);
    EXPECT_TRUE(fs.writeNewFile(dir.file("TempData/b"), "x"));
    EXPECT_FALSE(fs.writeNewFile(dir.file("TempData/c"), "x"));
    EXPECT_TRUE(fs.writeNewFile(dir.file("TempData/d"), "x"));
    EXPECT_FALSE(dir.exists("TempData/c"));
    EXPECT_EQ(fs.calls(test::FileOp::Flush), 3);
}

const std::string sep(1, platform::pathSeparator());

TEST(Paths, SeparatorsAndSafeNames) {
    const std::string k = platform::nativeSeparators("\\opt\\k");
    EXPECT_EQ(platform::joinPath(k, "TempData"), k + sep + "TempData");
    EXPECT_EQ(platform::joinPath(k + sep, "TempData"), k + sep + "TempData");
    EXPECT_EQ(platform::joinPath(k + "/", "/TempData"), k + "/TempData");
    EXPECT_EQ(platform::nativeSeparators("\\Languages\\resource.dll"), sep + "Languages" + sep + "resource.dll");
    EXPECT_EQ(platform::safeNamePart("A/B\\C"), "A_B_C");
#ifdef _WIN32
    EXPECT_EQ(platform::safeNamePart("a<b>c:d\"e|f?g*"), "a_b_c_d_e_f_g_");
#else
    EXPECT_EQ(platform::safeNamePart("a:b*"), "a:b*");
#endif
    EXPECT_EQ(platform::safeNamePart(".."), "__");
    EXPECT_EQ(platform::safeNamePart("a..b"), "a..b");
    EXPECT_EQ(platform::safeNamePart(std::string("a\0b", 3)), "a_b");
}

TEST(Paths, ProgramFolderAndSettingsFileFollowTheEnvironment) {
    test::setEnvironment("KELMAR_HOME", "/srv/kelmar/");
    EXPECT_EQ(platform::programFolder(nullptr), "/srv/kelmar");
    test::setEnvironment("KELMAR_HOME", nullptr);
    EXPECT_FALSE(platform::programFolder(nullptr).empty());
    test::setEnvironment("KELMAR_SETTINGS", "/tmp/x.ini");
    EXPECT_EQ(platform::settingsFilePath("/srv/kelmar"), "/tmp/x.ini");
    test::setEnvironment("KELMAR_SETTINGS", nullptr);
    EXPECT_EQ(platform::settingsFilePath("/srv/kelmar"), "/srv/kelmar" + sep + "settings.ini");
}
