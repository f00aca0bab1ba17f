#include "qdas/waiting_files.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "platform/paths.h"
#include "platform/text.h"
#include "qdas/delivery_log.h"
#include "qdas/file_copy.h"
#include "qdas/qdas_writer.h"

namespace kelmar::qdas {
namespace {

constexpr std::size_t kLongestNote = 1 << 16;

// Hidden where the system hides names with a leading dot: it is about the set, not part of it.
std::string notePath(const std::string& folder, const std::string& baseName) {
    return platform::joinPath(folder, "." + baseName + kWaitingNoteEnding);
}

std::string timeText(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

// A value on one line of the note.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (platform::isControlByte(c)) c = ' ';
    return text;
}

void readNote(platform::FileSystem& files, WaitingSet& set) {
    const auto text = files.readFileUpTo(notePath(set.folder, set.baseName), kLongestNote);
    if (!text) return;
    Routing routing;
    bool routed = false;
    platform::forEachLine(*text, [&](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return;
        const std::string_view key = line.substr(0, equals);
        const std::string value(line.substr(equals + 1));
        const bool on = value == "1";
        if (key == "Kept") {
            set.kept = value;
        } else if (key == "Reason") {
            set.reason = value;
        } else if (key == "OutputFolder") {
            routing.outputFolder = value;
            routed = !value.empty();
        } else if (key == "PartOK") {
            routing.partOK = on;
        } else if (key == "Reworked") {
            routing.reworked = on;
        } else if (key == "UseFolders") {
            routing.useFolders = on;
        } else if (key == "Monitor") {
            routing.monitor = on;
        } else if (key == "MonitoringFolder") {
            routing.monitoringFolder = value;
        }
    });
    routing.dfdFormat = set.dfdFormat;
    if (routed) set.routing = routing;
}

}  // namespace

std::string WaitingSet::fileName() const {
    return incomplete ? baseName : baseName + (dfdFormat ? ".dfd" : ".dfq");
}

void noteWaitingSet(WriterContext& c, const std::string& folder, const std::string& baseName, bool dfdFormat,
                    const Routing* routing, const std::string& reason, bool flushed) {
    std::string note = "Format=" + std::string(dfdFormat ? "dfd" : "dfq") + "\r\nKept=" + timeText(c.clock.now()) +
                       "\r\nReason=" + oneLine(reason) + "\r\n";
    if (routing) {
        note += "OutputFolder=" + oneLine(routing->outputFolder) + "\r\nPartOK=" + (routing->partOK ? "1" : "0") +
                "\r\nReworked=" + (routing->reworked ? "1" : "0") + "\r\nUseFolders=" +
                (routing->useFolders ? "1" : "0") + "\r\nMonitor=" + (routing->monitor ? "1" : "0") +
                "\r\nMonitoringFolder=" + oneLine(routing->monitoringFolder) + "\r\n";
    }
    // A note left by an earlier set of this name is for a set that is gone.
    const std::string path = notePath(folder, baseName);
    c.files.removeFile(path);
    const auto temporary =
        makeTemporary(c.files, folder, [&](const std::string& made) {
            return flushed ? c.files.writeNewFile(made, note) : c.files.writeFile(made, note);
        });
    if (!temporary || !c.files.renameFile(*temporary, path)) {
        if (temporary) c.files.removeFile(*temporary);
        logDelivery(c, "The note beside the waiting " + baseName + " in " + folder + " could not be written (" +
                           c.files.lastErrorText() + ")");
    }
}

void forgetWaitingSet(WriterContext& c, const std::string& folder, const std::string& baseName) {
    c.files.removeFile(notePath(folder, baseName));
}

std::vector<std::string> waitingFolders(const WriterContext& c) {
    std::vector<std::string> folders{platform::joinPath(c.programFolder, "TempData")};
    if (!c.waitingFolder.empty()) folders.push_back(c.waitingFolder);
    return folders;
}

std::vector<WaitingSet> findWaitingSets(platform::FileSystem& files, const std::vector<std::string>& folders) {
    std::vector<WaitingSet> sets;
    const unsigned long self = files.processId();
    for (const std::string& folder : folders) {
        std::vector<std::string> names = files.listFiles(folder);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            WaitingSet set;
            set.folder = folder;
            if (isTemporaryName(name)) {
                // One still being written belongs to a run that is not over.
                const unsigned long owner = temporaryOwner(name);
                if (owner == self || (owner != 0 && files.processRunning(owner))) continue;
                set.baseName = name;
                set.incomplete = true;
                sets.push_back(set);
                continue;
            }
            const bool description = name.ends_with(".dfd");
            if (!description && !name.ends_with(".dfq")) continue;
            set.baseName = name.substr(0, name.size() - 4);
            set.dfdFormat = description;
            readNote(files, set);
            sets.push_back(set);
        }
    }
    return sets;
}

std::string checkProgramFolder(WriterContext& c) {
    std::string problems;
    bool counterStuck = false;
    for (const char* name : {"TempData", "PartData"}) {
        const bool partData = std::string_view(name) == "PartData";
        const std::string folder = platform::joinPath(c.programFolder, name);
        if (!c.files.folderExists(folder) && !c.files.createFolder(folder)) {
            problems += c.texts.text(settings::Text::FolderCannotBeMade, {folder, c.files.lastErrorText()}) + "\n";
            counterStuck = counterStuck || partData;
            continue;
        }
        const auto probe =
            makeTemporary(c.files, folder, [&](const std::string& path) { return c.files.writeNewFile(path, {}); });
        if (probe) {
            c.files.removeFile(*probe);
            continue;
        }
        problems += c.texts.text(settings::Text::FolderCannotBeWritten, {folder, c.files.lastErrorText()}) + "\n";
        counterStuck = counterStuck || partData;
    }
    if (problems.empty()) return {};
    const std::string where = c.waitingFolder.empty() ? c.texts.text(settings::Text::NoUserFolder) : c.waitingFolder;
    const std::string text = problems + c.texts.text(settings::Text::MeasurementsGoStraight, {where}) +
                             (counterStuck ? " " + c.texts.text(settings::Text::CounterCannotAdvance) : "");
    logDelivery(c, text);
    return text;
}

Redelivery deliverWaitingSets(WriterContext& c, bool lockHeld) {
    Redelivery result;
    std::vector<WaitingSet> sets = findWaitingSets(c.files, waitingFolders(c));
    if (sets.empty()) return result;
    std::unique_ptr<platform::FileLock> lock;
    if (!lockHeld) lock = c.files.lockFile(platform::joinPath(c.programFolder, kWriterLockFile), 0);
    for (const WaitingSet& set : sets) {
        if (set.incomplete || !set.routing || (!lockHeld && !lock)) {
            ++result.waiting;
            continue;
        }
        logDelivery(c, "Delivering the waiting " + set.fileName() + " from " + set.folder + " again");
        if (uploadFiles(c, *set.routing, set.baseName, UploadSource{set.folder, true, true})) {
            forgetWaitingSet(c, set.folder, set.baseName);
            ++result.delivered;
        } else {
            ++result.waiting;
        }
    }
    return result;
}

}  // namespace kelmar::qdas
