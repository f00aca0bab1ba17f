// Delivery under failure: every file operation failed in turn, two writers at
// once, and a real file system that runs full.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <thread>

#ifdef __linux__
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "qdas/delivery_log.h"
#include "qdas/file_copy.h"
#include "qdas/qdas_writer.h"
#include "qdas/waiting_files.h"
#include "writer_fixture.h"

using namespace kelmar;
using namespace kelmar::test;
namespace names = kelmar::settings::names;
namespace fs = std::filesystem;

namespace {

struct Mode {
    bool dfd;
    bool monitor;
};

void configure(WriterFixture& w, Mode mode) {
    w.set(names::DFD, mode.dfd ? "1" : "0");
    w.set(names::MONITOR, mode.monitor ? "1" : "0");
    w.folder.makeFolder("monitor");
    w.set(names::DIR_MONITOR, w.folder.file("monitor"));
    w.set(names::UseFolders, "1");
    w.set(names::FileCounter, "1");
    w.add("A");
    w.add("B", "2.00000");
}

bool write(WriterFixture& w) {
    auto context = w.context();
    return qdas::WriteQdasFiles(context);
}

// Every file below the program folder but the lock, the log and the counter, by path.
std::map<std::string, std::string> filesOf(const WriterFixture& w) {
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(w.folder.path())) {
        const std::string name = fs::relative(entry.path(), w.folder.path()).string();
        if (entry.is_regular_file() && !name.ends_with(qdas::kWriterLockFile) && name != "UploadDebug.txt" &&
            !name.starts_with("PartData") && !name.ends_with(qdas::kDeliveryLogName) &&
            !name.ends_with(qdas::kWaitingNoteEnding))
            found[name] = w.folder.read(name);
    }
    return found;
}

// How many files directly in the folder hold the content.
int copiesIn(const std::map<std::string, std::string>& files, const std::string& folder, const std::string& content) {
    int copies = 0;
    for (const auto& [path, text] : files) copies += fs::path(path).parent_path() == folder && text == content;
    return copies;
}

// Whether every one of the contents is in a file directly in the folder.
bool wholeIn(const std::map<std::string, std::string>& files, const std::string& folder,
             const std::vector<std::string>& contents) {
    for (const std::string& content : contents) {
        bool there = false;
        for (const auto& [path, text] : files)
            there = there || (fs::path(path).parent_path() == folder && text == content);
        if (!there) return false;
    }
    return true;
}

const char* opName(FileOp op) {
    switch (op) {
        case FileOp::Create:
            return "create";
        case FileOp::Write:
            return "write";
        case FileOp::Flush:
            return "flush";
        case FileOp::Rename:
            return "rename";
        case FileOp::Copy:
            return "copy";
        case FileOp::Remove:
            return "remove";
        case FileOp::Lock:
            return "lock";
        default:
            return "create folder";
    }
}

TEST(Delivery, EachFailedFileOperationLeavesTheMeasurementWholeAndTheUserTold) {
    const FileOp ops[] = {FileOp::Create, FileOp::Write,  FileOp::Flush,        FileOp::Rename,
                          FileOp::Copy,   FileOp::Remove, FileOp::CreateFolder, FileOp::Lock};
    int failed = 0, lost = 0, straight = 0, redelivered = 0;
    for (Mode mode : {Mode{false, false}, Mode{false, true}, Mode{true, false}, Mode{true, true}}) {
        WriterFixture clean;
        configure(clean, mode);
        ASSERT_TRUE(write(clean));
        ASSERT_TRUE(clean.messages.shown.empty());
        // Every new file and every folder that took one reached the device: none of the flushes was left out.
        EXPECT_EQ(clean.files.deviceFlushes(), static_cast<std::uint64_t>(clean.files.flushesAskedFor()));
        EXPECT_GE(clean.files.flushesAskedFor(), mode.dfd ? (mode.monitor ? 12 : 9) : 6);
        const std::string base = "out/PartOK/TESTPART_0001";
        const std::vector<std::string> contents =
            mode.dfd ? std::vector{clean.folder.read(base + ".dfd"), clean.folder.read(base + ".dfx")}
                     : std::vector{clean.folder.read(base + ".dfq")};
        std::vector<std::string> destinations{"out/PartOK", "out/FirstParts"};
        if (mode.dfd && mode.monitor) destinations.push_back("monitor/TESTPART_A_1");

        for (FileOp op : ops) {
            const int calls = clean.files.calls(op);
            for (int call = 1; call <= calls; ++call) {
                WriterFixture w;
                configure(w, mode);
                w.files.failCall(op, call);
                const bool result = write(w);
                const std::string where = std::string(mode.dfd ? "DFD" : "DFQ") + (mode.monitor ? "+monitor " : " ") +
                                          opName(op) + " #" + std::to_string(call) + " " + w.files.failedPath();
                ++failed;
                const auto files = filesOf(w);
                bool delivered = true;
                for (const std::string& folder : destinations)
                    delivered = delivered && wholeIn(files, folder, contents);
                // Whole where it waits: TempData, or the user's own folder when TempData refused it.
                const bool kept = wholeIn(files, "TempData", contents) || wholeIn(files, "user/waiting", contents);
                // Nothing half and nothing foreign anywhere: every file is a whole part of the measurement.
                for (const auto& [path, text] : files)
                    EXPECT_NE(std::find(contents.begin(), contents.end(), text), contents.end())
                        << where << ": " << path;
                if (result) {
                    EXPECT_TRUE(delivered) << where;
                } else {
                    EXPECT_FALSE(w.messages.shown.empty()) << where;
                }
                if (!delivered && !kept) {
                    ++lost;
                    ADD_FAILURE() << "measurement lost: " << where;
                }
                // Only a failed removal after a whole delivery, a failed debug log, a lock taken in the
                // user's folder instead, or a note for a cut-off delivery that Kelmar.log tells of goes
                // without a word.
                const std::string& path = w.files.failedPath();
                if (result && w.messages.shown.empty()) {
                    const bool noteLogged = w.folder.exists(qdas::kDeliveryLogName) &&
                                            w.folder.read(qdas::kDeliveryLogName).find("note beside") != std::string::npos;
                    EXPECT_TRUE(op == FileOp::Remove || op == FileOp::Lock || path.ends_with("UploadDebug.txt") ||
                                noteLogged)
                        << where;
                }
                if (result && !w.messages.shown.empty()) ++straight;

                // Later (the next start), with the fault gone, what waits is delivered again: once
                // into every folder, never doubled, and it leaves the folder where it waited.
                if (result) continue;
                w.files.clearFaults();
                auto later = w.context();
                const qdas::Redelivery again = qdas::deliverWaitingSets(later);
                const auto after = filesOf(w);
                if (again.waiting > 0) {
                    // Only a run stopped before its destination was known waits on; whole.
                    EXPECT_TRUE(wholeIn(after, "TempData", contents) || wholeIn(after, "user/waiting", contents))
                        << where;
                    continue;
                }
                ++redelivered;
                for (const std::string& folder : destinations)
                    for (const std::string& content : contents)
                        EXPECT_EQ(copiesIn(after, folder, content), 1) << where << " " << folder;
                EXPECT_FALSE(wholeIn(after, "TempData", contents) || wholeIn(after, "user/waiting", contents))
                    << where;
            }
        }
    }
    std::cout << "[ faults   ] " << failed << " operations failed, one per run; measurements lost: " << lost
              << "; delivered straight past a refusing TempData: " << straight
              << "; waiting, then delivered again: " << redelivered << "\n";
    EXPECT_EQ(lost, 0);
    EXPECT_GT(failed, 40);
}

// The files directly in a folder below the program folder, by name.
std::map<std::string, std::string> filesIn(const WriterFixture& w, const std::string& folder) {
    std::map<std::string, std::string> found;
    for (const auto& [path, text] : filesOf(w))
        if (fs::path(path).parent_path() == folder) found[fs::path(path).filename().string()] = text;
    return found;
}

TEST(Delivery, ALoneOldPartnerMakesTheWholePairTakeTheNextName) {
    WriterFixture w;
    configure(w, Mode{true, false});
    w.folder.write("out/PartOK/TESTPART_0001.dfx", "old values");
    ASSERT_TRUE(write(w));
    const auto partOK = filesIn(w, "out/PartOK");
    // The new description never pairs with the old values: both moved on to "_2".
    EXPECT_EQ(partOK.size(), 3u);
    EXPECT_EQ(partOK.at("TESTPART_0001.dfx"), "old values");
    EXPECT_EQ(partOK.count("TESTPART_0001.dfd"), 0u);
    EXPECT_EQ(partOK.at("TESTPART_0001_2.dfd"), w.folder.read("out/FirstParts/TESTPART_0001.dfd"));
    EXPECT_EQ(partOK.at("TESTPART_0001_2.dfx"), w.folder.read("out/FirstParts/TESTPART_0001.dfx"));
    EXPECT_TRUE(fs::is_empty(w.tempData()));
}

TEST(Delivery, NamesTooLongForTheFileSystemAreShortenedAndDelivered) {
    WriterFixture w;
    configure(w, Mode{false, false});
    w.set(names::FileName2, "2");  // part name and serial number
    w.window.serial = w.window.part = std::string(1 << 20, 'S');
    w.run.FileNameText = std::string(300, 'F');
    ASSERT_TRUE(write(w));
    const auto partOK = filesIn(w, "out/PartOK");
    ASSERT_EQ(partOK.size(), 1u);
    const std::string name = partOK.begin()->first;
    EXPECT_LE(name.size(), platform::kLongestName);
    EXPECT_TRUE(name.ends_with("_0001.dfq")) << name;  // the counter and the extension stay whole
    EXPECT_NE(w.messages.texts().at(0).find(name), std::string::npos);
    // The counter file's name is cut the same way, so the next run counts on.
    ASSERT_TRUE(write(w));
    EXPECT_EQ(filesIn(w, "out/PartOK").size(), 2u);
    EXPECT_TRUE(filesIn(w, "out/PartOK").begin()->first.ends_with("_0001.dfq"));
    EXPECT_TRUE(std::prev(filesIn(w, "out/PartOK").end())->first.ends_with("_0002.dfq"));
}

TEST(Delivery, AProcessKilledBetweenTheFilesOfAPairNeverLeavesADescriptionAlone) {
#ifdef __linux__
    WriterFixture clean;
    configure(clean, Mode{true, false});
    ASSERT_TRUE(write(clean));
    const int renames = clean.files.calls(FileOp::Rename);
    const std::string killedValues = clean.folder.read("out/PartOK/TESTPART_0001.dfx");
    for (int call = 1; call <= renames; ++call) {
        WriterFixture w;
        configure(w, Mode{true, false});
        std::cout.flush();
        const pid_t child = ::fork();
        if (child == 0) {
            w.files.dieAt(FileOp::Rename, call);
            write(w);
            std::_Exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        for (const char* folder : {"out/PartOK", "out/FirstParts"}) {
            const auto found = filesIn(w, folder);
            for (const auto& [name, text] : found) {
                if (name.ends_with(".dfd")) {
                    EXPECT_TRUE(found.contains(name.substr(0, name.size() - 4) + ".dfx")) << "rename #" << call;
                }
            }
        }
        // The next delivery there clears what the killed run left half done in the result folders,
        // and delivers the killed run's set again once it was whole in TempData.
        const bool wholeInTempData = w.folder.exists("TempData/TESTPART_0001.dfd");
        w.files.clearFaults();
        w.run.CharacteristicTable.back().Meas = "3.00000";
        ASSERT_TRUE(write(w)) << "rename #" << call;
        for (const char* folder : {"out/PartOK", "out/FirstParts"}) {
            bool killedRunThere = false;
            const auto found = filesIn(w, folder);
            for (const auto& [name, text] : found) {
                EXPECT_FALSE(qdas::isTemporaryName(name)) << "rename #" << call << " " << folder << "/" << name;
                // A pair cut off halfway is completed, not left beside a whole copy under the next name.
                if (name.ends_with(".dfx")) {
                    EXPECT_TRUE(found.contains(name.substr(0, name.size() - 4) + ".dfd"))
                        << "rename #" << call << " " << folder << "/" << name;
                }
                killedRunThere = killedRunThere || (name.ends_with(".dfd") && w.folder.read(std::string(folder) + "/" +
                                 name.substr(0, name.size() - 4) + ".dfx") == killedValues);
            }
            if (wholeInTempData) {
                EXPECT_TRUE(killedRunThere) << "rename #" << call << " " << folder;
            }
        }
        if (wholeInTempData) {
            EXPECT_FALSE(w.folder.exists("TempData/TESTPART_0001.dfd")) << "rename #" << call;
        }
    }
#else
    GTEST_SKIP() << "a process is killed with fork, which only POSIX offers";
#endif
}

TEST(Delivery, AProgramFolderThatCannotBeWrittenIsToldAtStartAndRunsStillReachTheirFolders) {
    WriterFixture w;
    configure(w, Mode{true, false});
    w.set(names::FileCounter, "0");
    const std::string sep(1, platform::pathSeparator());
    for (const char* folder : {"TempData", "PartData"}) w.files.fail(FileOp::Create, w.folder.file(folder) + sep);
    w.files.fail(FileOp::Lock, w.folder.file(qdas::kWriterLockFile));
    w.files.fail(FileOp::Append, w.folder.file(qdas::kDeliveryLogName));
    // A run of a program that was cut off leaves a temporary, which is listed and never delivered.
    w.folder.makeFolder("TempData");
    w.folder.write("TempData/~999999999-1.kelmar-part", "half");
    auto context = w.context();
    const std::string told = qdas::checkProgramFolder(context);
    for (const std::string& folder : {w.tempData(), w.folder.file("PartData")})
        EXPECT_NE(told.find("The folder " + folder + " cannot be written (Input/output error"), std::string::npos)
            << told;
    EXPECT_NE(told.find(w.waitingFolder()), std::string::npos);

    ASSERT_TRUE(write(w));
    for (const char* folder : {"out/PartOK", "out/FirstParts"}) EXPECT_EQ(filesIn(w, folder).size(), 2u) << folder;
    // The log went beside the waiting folder.
    EXPECT_NE(w.folder.read("user/Kelmar.log").find("written straight into"), std::string::npos);
    const std::vector<qdas::WaitingSet> waiting = qdas::findWaitingSets(w.files, qdas::waitingFolders(context));
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_TRUE(waiting[0].incomplete);
    EXPECT_EQ(qdas::deliverWaitingSets(context).waiting, 1);
    EXPECT_EQ(w.folder.read("TempData/~999999999-1.kelmar-part"), "half");
}

// The measured value of a whole run of count Characteristics that all measured the same; empty otherwise.
std::string wholeRunValue(const std::string& text, int count) {
    std::vector<std::string> lines = crlfLines(text);
    std::string value;
    int values = 0;
    for (const std::string& line : lines) {
        if (!line.starts_with("K0001/")) continue;
        const std::string measured = line.substr(line.find(' ') + 1);
        if (values++ > 0 && measured != value) return {};
        value = measured;
    }
    return values == count ? value : std::string();
}

TEST(Delivery, TwoWritersOnOneProgramFolderNeverMixTruncateOrOverwrite) {
    constexpr int kCount = 3000;
    WriterFixture first, second;
    second.set(names::DIR, first.out);
    for (int i = 0; i < kCount; ++i) first.add("A", "1.00000"), second.add("B", "2.00000");
    auto firstContext = first.context();
    auto secondContext = second.context();
    secondContext.programFolder = first.folder.path();
    bool results[2] = {};
    std::thread other([&] { results[1] = qdas::WriteQdasFiles(secondContext); });
    results[0] = qdas::WriteQdasFiles(firstContext);
    other.join();
    // The second to get the lock finds the name taken in the output folder and keeps its file.
    ASSERT_NE(results[0], results[1]);
    const std::string delivered = wholeRunValue(first.folder.read("out/TESTPART.dfq"), kCount);
    const std::string waiting = wholeRunValue(first.folder.read("TempData/TESTPART.dfq"), kCount);
    EXPECT_EQ(delivered, results[0] ? "1.00000" : "2.00000");
    EXPECT_EQ(waiting, results[0] ? "2.00000" : "1.00000");
    EXPECT_FALSE((results[0] ? second : first).messages.shown.empty());

    // While another instance holds the lock, the run is kept beside the waiting file, and said so.
    auto held = first.files.lockFile(first.folder.file(qdas::kWriterLockFile), 0);
    ASSERT_TRUE(held);
    first.messages.shown.clear();
    firstContext.lockWaitMilliseconds = 0;
    EXPECT_FALSE(qdas::WriteQdasFiles(firstContext));
    ASSERT_EQ(first.messages.shown.size(), 3u);
    EXPECT_NE(first.messages.shown[0].text.find("Another instance"), std::string::npos);
    EXPECT_NE(
        first.messages.shown[1].text.find("An earlier measurement still waits in " + first.tempData("TESTPART.dfq")),
        std::string::npos);
    EXPECT_EQ(wholeRunValue(first.folder.read("TempData/TESTPART_2.dfq"), kCount), "1.00000");
    EXPECT_EQ(waiting, wholeRunValue(first.folder.read("TempData/TESTPART.dfq"), kCount));
    EXPECT_EQ(delivered, wholeRunValue(first.folder.read("out/TESTPART.dfq"), kCount));
    // Its destination is known, so the next delivery, once the lock is free, takes it along.
    EXPECT_NE(first.messages.shown[2].text.find("delivered again by itself"), std::string::npos);
    held.reset();
    EXPECT_EQ(qdas::deliverWaitingSets(firstContext).waiting, 0);
    // A set whose identical copy is there already is not doubled.
    std::set<std::string> values;
    for (const auto& [name, text] : filesIn(first, "out")) values.insert(wholeRunValue(text, kCount));
    EXPECT_EQ(values, (std::set<std::string>{delivered, waiting, "1.00000"}));
    EXPECT_TRUE(filesIn(first, "TempData").empty());
}

// A small file system of our own that runs full: the first as TempData, the second as the output folder.
TEST(Delivery, AFullDiskLeavesNoHalfFileAndKeepsTheMeasurement) {
#ifdef __linux__
    WriterFixture w;
    const std::string mountPoint = w.folder.file("small");
    w.folder.makeFolder("small");
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a full disk needs a tmpfs of our own, which only root with mount rights may make";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{mountPoint};
    for (int i = 0; i < 2000; ++i) w.add("A", "1.00000");  // far more than 64 KiB

    auto context = w.context();
    context.programFolder = mountPoint;
    // TempData on the full disk: the measurement goes straight to its folder, and the user is told.
    EXPECT_TRUE(qdas::WriteQdasFiles(context));
    EXPECT_NE(w.messages.texts().at(0).find("could not be written completely"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(platform::joinPath(mountPoint, "TempData")));  // nothing half, and the space is free again
    EXPECT_EQ(wholeRunValue(w.folder.read("out/TESTPART.dfq"), 2000), "1.00000");

    // TempData on a roomy disk, the output folder on the full one: the copy fails, the file waits whole.
    w.messages.shown.clear();
    w.set(names::DIR, mountPoint);
    auto roomy = w.context();
    EXPECT_FALSE(qdas::WriteQdasFiles(roomy));
    EXPECT_FALSE(w.messages.shown.empty());
    EXPECT_EQ(wholeRunValue(w.folder.read("TempData/TESTPART.dfq"), 2000), "1.00000");
    for (const auto& entry : fs::directory_iterator(mountPoint))  // no copy, whole or half, in the output folder
        EXPECT_TRUE(entry.is_directory() || entry.path().filename() == qdas::kWriterLockFile ||
                    entry.path().filename() == qdas::kDeliveryLogName)
            << entry.path();
#else
    GTEST_SKIP() << "a full disk is made with a tmpfs, which only Linux offers";
#endif
}

}  // namespace
