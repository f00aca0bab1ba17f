#include "qdas/qdas_writer.h"

#include <algorithm>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "qdas/delivery_log.h"
#include "qdas/description.h"
#include "qdas/file_copy.h"
#include "qdas/file_counter.h"
#include "qdas/output_settings.h"
#include "qdas/upload.h"
#include "qdas/value_block.h"
#include "qdas/waiting_files.h"
#include "qdas/written_characteristics.h"
#include "settings/setting_names.h"

namespace kelmar::qdas {
namespace {

namespace names = settings::names;
using settings::Text;
constexpr const char* kTitle = platform::kApplicationTitle;

// About the size of a characteristic block and of a value group, so a large run is
// neither copied while its text grows nor given memory it never touches.
constexpr std::size_t kBlockBytes = 256, kValueBytes = 96;
// From about 6000 characteristics on, the files go to the disk while they are built, so the
// device is mostly done writing them when the last line is made.
constexpr std::size_t kStreamFromBytes = std::size_t(2) << 20;

FileCounterValue takeCounter(WriterContext& c, const OutputSettings& settings) {
    if (!settings.FileCounter) return {};
    const std::string partData = platform::joinPath(c.programFolder, "PartData");
    // A missing folder only makes the counter restart; the run goes on.
    if (!FolderExists(c.files, partData)) CreateFolder(c.files, partData);
    const host::PartProgram& program = c.partProgram;
    return NextFileCounter(c.files, c.messages, c.texts,
                           FileCounterFilePath(c.programFolder, partProgramText(program, &host::PartProgram::PartName),
                                               partProgramText(program, &host::PartProgram::RevisionNumber),
                                               partProgramText(program, &host::PartProgram::SerialNumber)));
}

std::optional<std::string> chooseBaseFolder(WriterContext& c, const OutputSettings& settings) {
    std::string folder = settings.DIR;
    bool fromPartProgram = false;
    if (settings.SelectFolder) {
        folder = c.window.lblPath();
        if (folder.empty()) {
            c.messages.plain(kTitle, c.texts.text(Text::NoPathForOutput));
            return std::nullopt;
        }
        if (!FolderExists(c.files, folder)) {
            c.messages.plain(kTitle, c.texts.text(Text::SelectedFolderMissing));
            return std::nullopt;
        }
    } else if (settings.PartProgFolder) {
        // A path the host cannot give leaves the default folder.
        std::optional<std::string> path = host::readOr([&] { return std::optional<std::string>(c.partProgram.Path()); },
                                                       std::optional<std::string>());
        fromPartProgram = path.has_value();
        if (path) folder = *path;
    }
    if (c.args.count() == 2) {
        std::string argument = platform::trimBlanks(c.args.arg(2));
        if (!argument.empty()) {
            folder = argument;
            fromPartProgram = false;
            if (!FolderExists(c.files, folder)) {
                c.messages.plain(kTitle, c.texts.text(Text::CommandLineFolderMissing));
                return std::nullopt;
            }
        }
    }
    // An empty folder would put the result folders at the root of the file system.
    if (fromPartProgram && folder.empty()) {
        c.messages.plain(kTitle, c.texts.text(Text::PartProgramGivesNoFolder));
        return std::nullopt;
    }
    if (fromPartProgram && !FolderExists(c.files, folder)) {
        c.messages.plain(kTitle, c.texts.text(Text::PartProgramFolderMissing, {folder}));
        return std::nullopt;
    }
    if (folder.empty()) {
        c.messages.plain(kTitle, c.texts.text(Text::NoOutputFolderSet));
        return std::nullopt;
    }
    return folder;
}

// An OOT that is not a number counts as out of tolerance.
bool partIsOK(const capture::RunData& run, int count) {
    const int last = std::min(count, run.CharacteristicCount());
    for (int i = 1; i <= last; ++i) {
        auto oot = platform::parseNumber(run.CharacteristicTable[i].OOT);
        if (!oot || *oot != 0) return false;
    }
    return true;
}

bool ensureFolder(WriterContext& c, const std::string& folder) {
    if (FolderExists(c.files, folder) || CreateFolder(c.files, folder)) return true;
    c.messages.plain(kTitle, c.texts.text(Text::CannotCreateOutputFolder, {folder}));
    return false;
}

bool makeResultFolders(WriterContext& c, const std::string& baseFolder, bool partOK) {
    if (!ensureFolder(c, inFolder(baseFolder, partOK ? "PartOK" : "PartOOT"))) return false;
    return c.run.ReworkedPartFlag || ensureFolder(c, inFolder(baseFolder, "FirstParts"));
}

FileNameSources nameSources(WriterContext& c) {
    return FileNameSources{c.window.lblOrvPartName(), c.window.lblOrvSerNumber(), c.window.lblOrvRevNumber(),
                           c.run.FileNameText, c.clock.now()};
}

// A name that still tells which part a kept file belongs to, when the settings give none.
std::string partInformationName(WriterContext& c, const std::string& counter) {
    const std::string ending = (counter.empty() ? "" : "_" + counter) + "_" + gmTimeStamp(c.clock.now());
    return platform::safeJoinedName("", {c.window.lblOrvPartName(), c.window.lblOrvRevNumber(), c.window.lblOrvSerNumber()},
                                    "_", ending, std::string_view(".dfq").size() + kTakenNameSuffixBytes);
}

// The run's files, built in memory once, for wherever they can be put.
struct OutputTexts {
    QdasLines description;
    QdasLines values;
    // A large set goes into temporaries in TempData while it is built: these, whole and
    // flushed, when that went well; empty otherwise.
    std::vector<std::string> streamed;
};

// Makes the folder and the missing folders above it.
bool makeFolders(platform::FileSystem& files, const std::string& folder, int depth = 0) {
    if (folder.empty() || files.folderExists(folder)) return !folder.empty();
    const std::size_t cut = folder.find_last_of(std::string("/") + platform::pathSeparator());
    if (depth < 16 && cut != std::string::npos && cut > 0) makeFolders(files, folder.substr(0, cut), depth + 1);
    return files.createFolder(folder);
}

// A set built with the writing of its files under way; the temporaries, or nothing when a file
// could not be made or written (the set is then written whole after all, and fails or not there).
template <class Build>
std::vector<std::string> buildStreaming(WriterContext& c, const std::string& folder, std::span<QdasLines* const> lines,
                                        Build&& build) {
    std::vector<std::unique_ptr<platform::NewFile>> files;
    std::vector<std::string> temporaries;
    for (QdasLines* text : lines) {
        std::optional<std::string> path = makeTemporary(c.files, folder, [&](const std::string& made) {
            std::unique_ptr<platform::NewFile> file = c.files.createNewFile(made);
            if (!file) return false;
            files.push_back(std::move(file));
            return true;
        });
        if (!path) break;
        text->streamTo(*files.back());
        temporaries.push_back(*path);
    }
    build();
    bool whole = temporaries.size() == lines.size();
    for (std::size_t i = 0; i < temporaries.size(); ++i) whole = lines[i]->finishStream() && whole;
    if (whole) return temporaries;
    files.clear();
    for (const std::string& path : temporaries) c.files.removeFile(path);
    return {};
}

void buildTexts(WriterContext& c, bool dfdFormat, int count, const std::string& tempData, OutputTexts& texts) {
    const DescriptionOptions options{c.settings.readFlag(names::AxisLetter).value_or(false),
                                     c.settings.readFlag(names::UseQPos).value_or(false), c.run.DimensionName,
                                     c.run.DimensionNumber};
    // Decided once, before comment naming rewrites the comments, so blocks and values agree.
    const std::vector<int> written = writtenCharacteristics(c.run, count);
    const PartCaptions captions{c.window.lblOrvSerNumber(), c.window.lblOrvPartName(), c.window.lblOrvRevNumber()};
    texts.description.reserve((kBlockBytes + (dfdFormat ? 0 : kValueBytes)) * (written.size() + 1));
    const auto build = [&] {
        WriteDescription(c.run, written, captions, options, texts.description);
        WriteValueBlock(c.run, written, c.clock, dfdFormat ? texts.values : texts.description);
    };
    if ((kBlockBytes + kValueBytes) * written.size() < kStreamFromBytes || !makeFolders(c.files, tempData)) {
        build();
        return;
    }
    QdasLines* const dfq[] = {&texts.description};
    QdasLines* const dfd[] = {&texts.description, &texts.values};
    texts.streamed = buildStreaming(c, tempData, dfdFormat ? std::span<QdasLines* const>(dfd) : dfq, build);
}

const char* extensionOf(bool dfdFormat) { return dfdFormat ? ".dfd" : ".dfq"; }

// Why a set was not written into a folder, in the user's words.
std::string writeFailureText(WriterContext& c, const WrittenSet& set, const std::string& folder) {
    const std::string reason = c.files.lastErrorText();
    switch (set.failure) {
        case WrittenSet::Failure::Write:
            return c.texts.text(Text::FileNotWrittenCompletely, {folder, reason});
        case WrittenSet::Failure::Rename:
            return c.texts.text(Text::FileNotPutInPlace, {folder, reason});
        case WrittenSet::Failure::Flush:
            return c.texts.text(Text::FilesNotSaved, {folder, reason});
        case WrittenSet::Failure::None:
            break;
    }
    return {};
}

// Writes the set into a folder that takes it whole; the reason when it does not. A set whose
// folder could not be flushed is taken back, unless this is the last place left to keep it.
std::optional<std::string> writeInto(WriterContext& c, const std::string& folder, const std::string& baseName,
                                     std::span<const FileToWrite> set, std::string& placedAs, bool lastPlace,
                                     const BeforePlacing& beforePlacing = {}, std::vector<std::string> made = {}) {
    if (!makeFolders(c.files, folder))
        return c.texts.text(Text::OutputFolderNotCreatedWhy, {folder, c.files.lastErrorText()});
    const WrittenSet written =
        writeFileSet(c.files, folder, baseName, set, WhenTaken::NextName, true, beforePlacing, std::move(made));
    placedAs = written.baseName;
    if (written.failure == WrittenSet::Failure::None || (lastPlace && written.failure == WrittenSet::Failure::Flush))
        return std::nullopt;
    const std::string reason = writeFailureText(c, written, folder);
    if (written.failure == WrittenSet::Failure::Flush)
        for (const FileToWrite& file : set)
            c.files.removeFile(platform::joinPath(folder, written.baseName + "." + file.extension));
    return reason;
}

// TempData refused the set: it goes straight into the folders it was meant for, with the
// same temporary names and renames; true when every one of them has it.
bool deliverStraight(WriterContext& c, const Routing& routing, const std::string& baseName,
                     std::span<const FileToWrite> set, std::vector<std::string>& reasons) {
    bool whole = true;
    for (const std::string& folder : resultFolders(routing)) {
        if (!FolderExists(c.files, folder)) {
            reasons.push_back(c.texts.text(Text::ResultFolderMissing, {folder}));
            whole = false;
            continue;
        }
        removeLeftoverTemporaries(c.files, folder);
        const WrittenSet written = writeFileSet(c.files, folder, baseName, set);
        if (written.failure != WrittenSet::Failure::None) {
            reasons.push_back(writeFailureText(c, written, folder));
            whole = false;
        }
    }
    if (!routing.monitor) return whole;
    const std::string& monitor = routing.monitoringFolder;
    if (!FolderExists(c.files, monitor) && !CreateFolder(c.files, monitor)) {
        reasons.push_back(c.texts.text(Text::MonitoringFolderNotCreated));
        return false;
    }
    const std::string description = platform::joinPath(monitor, kMonitoringDescription);
    const FileToWrite descriptionFile[] = {{"dfd", set[0].text}};
    if (!c.files.fileExists(description) &&
        writeFileSet(c.files, monitor, "00000001", descriptionFile).failure != WrittenSet::Failure::None)
        whole = false;
    const std::optional<std::string> values = nextMonitoringValueFile(c.files, monitor);
    const FileToWrite valueFile[] = {{"dfx", set[1].text}};
    if (!values || writeFileSet(c.files, monitor, values->substr(0, 8), valueFile).failure != WrittenSet::Failure::None) {
        reasons.push_back(c.texts.text(Text::MonitoringCopyFailed, {baseName + ".dfx", monitor}));
        whole = false;
    }
    return whole;
}

// A failure message with the log that holds its details.
std::string withLog(WriterContext& c, const std::string& text, const std::string& logPath) {
    return logPath.empty() ? text : text + "\n" + c.texts.text(Text::DetailsInLog, {logPath});
}

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts) (all += all.empty() ? "" : "\n") += text;
    return all;
}

// No other format is chosen either: a setup that was stored empty.
bool noFormatChosen(const settings::SettingsStore& store) {
    return store.readFlag(names::DFD) == false && store.readFlag(names::DFQ) == false;
}

}  // namespace

std::optional<WrittenOutput> WriteOutputFiles(WriterContext& c, bool keepInTempData, bool anotherWriter) {
    const int count = c.window.characteristicListCount();
    if (count <= 0) {
        c.messages.plain(kTitle, c.texts.text(Text::NoCharacteristics));
        return std::nullopt;
    }
    c.window.markAllCharacteristics();
    // Each check that fails has told the user; the files then stay in TempData.
    bool distribute = !keepInTempData;
    std::optional<OutputSettings> settings = readOutputSettings(c.settings);
    if (!settings) {
        c.messages.error(kTitle, c.texts.text(Text::OutputSettingsMissing));
        distribute = false;
    }
    // Taken before the folder checks: a run stopped below has used its counter value.
    FileCounterValue counter = settings ? takeCounter(c, *settings) : FileCounterValue{};
    distribute = distribute && counter.saved;
    std::string baseFolder;
    if (distribute) {
        std::optional<std::string> folder = chooseBaseFolder(c, *settings);
        distribute = folder.has_value();
        baseFolder = folder.value_or("");
    }
    const bool partOK = settings && settings->UseFolders && partIsOK(c.run, count);
    if (distribute && settings->UseFolders) distribute = makeResultFolders(c, baseFolder, partOK);
    if (distribute && noFormatChosen(c.settings)) {
        c.messages.plain(kTitle, c.texts.text(Text::NoOutputFormat));
        distribute = false;
    }
    const bool dfdFormat = c.settings.readFlag(names::DFD).value_or(false);
    const std::string tempData = platform::joinPath(c.programFolder, "TempData");
    std::string baseName;
    if (settings) {
        bool shortened = false;
        const std::string fileName =
            BuildOutputFileName(settings->codes, counter.counter, "dfq", settings->rule, nameSources(c), &shortened);
        baseName = fileName.substr(0, fileName.size() - 4);
        if (shortened)
            c.messages.information(kTitle, c.texts.text(Text::OutputNameShortened, {baseName + extensionOf(dfdFormat)}));
    }
    if (baseName.empty()) {
        if (settings && distribute)
            c.messages.plain(kTitle, c.texts.text(Text::NoOutputName));
        distribute = false;
        baseName = partInformationName(c, counter.counter);
    }
    OutputTexts texts;
    buildTexts(c, dfdFormat, count, tempData, texts);
    const FileToWrite dfq[] = {{"dfq", texts.description.text()}};
    const FileToWrite dfd[] = {{"dfd", texts.description.text()}, {"dfx", texts.values.text()}};
    const std::span<const FileToWrite> set = dfdFormat ? std::span<const FileToWrite>(dfd) : dfq;
    // Every check passed: where the files go is known, even when they cannot go now.
    const bool routed = distribute;
    distribute = distribute && !anotherWriter;
    WrittenOutput output{baseFolder, partOK, dfdFormat, baseName, !distribute, tempData};
    if (routed) output.routing = routingOf(c, baseFolder, partOK, c.run.ReworkedPartFlag, dfdFormat);

    std::vector<std::string> reasons;
    // Noted before it has its name: a run killed while delivering it leaves a set that goes again.
    // It stays only when the run is cut off before the delivery ends.
    const std::string cutOff = c.texts.text(Text::DeliveryCutOff);
    const auto noteAsCutOff = [&](const std::string& name) {
        if (distribute) noteWaitingSet(c, tempData, name, dfdFormat, &*output.routing, cutOff, false);
    };
    std::optional<std::string> refused =
        writeInto(c, tempData, baseName, set, output.baseName, false, noteAsCutOff, std::move(texts.streamed));
    if (refused && distribute) forgetWaitingSet(c, tempData, output.baseName);
    if (!refused) {
        if (!distribute) {
            if (output.baseName != baseName)
                c.messages.information(kTitle,
                                       c.texts.text(Text::EarlierMeasurementWaits,
                                                    {platform::joinPath(tempData, baseName + extensionOf(dfdFormat))}));
            const std::string text =
                c.texts.text(routed ? Text::KeptForRedelivery : Text::MeasurementKept,
                             {platform::joinPath(tempData, output.baseName + extensionOf(dfdFormat))});
            logDelivery(c, text);
            c.messages.plain(kTitle, text);
        }
        return output;
    }
    reasons.push_back(*refused);
    if (distribute) {
        const Routing& routing = *output.routing;
        if (deliverStraight(c, routing, baseName, set, reasons)) {
            const std::string text =
                reasons.front() + "\n" + c.texts.text(Text::WrittenStraightInto, {joined(resultFolders(routing))});
            logDelivery(c, text);
            c.messages.information(kTitle, text);
            output.delivered = true;
            return output;
        }
    }
    // Neither TempData nor the result folders took it whole: it waits in the user's own folder.
    std::optional<std::string> waiting =
        c.waitingFolder.empty() ? std::optional<std::string>(c.texts.text(Text::NoUserFolderKnown))
                                : writeInto(c, c.waitingFolder, baseName, set, output.baseName, true);
    if (waiting && !c.waitingFolder.empty()) {
        // Last, a short name of our own, in case the name itself was what no folder took.
        reasons.push_back(*waiting);
        const std::string shortName = "Kelmar_" + gmTimeStamp(c.clock.now());
        waiting = writeInto(c, c.waitingFolder, shortName, set, output.baseName, true);
    }
    if (!waiting) {
        const std::string kept = platform::joinPath(c.waitingFolder, output.baseName + extensionOf(dfdFormat));
        const std::string text =
            joined(reasons) + "\n" + c.texts.text(routed ? Text::KeptForRedelivery : Text::MeasurementKept, {kept});
        c.messages.error(kTitle, withLog(c, text, logDelivery(c, text)));
        output.folder = c.waitingFolder;
        output.keptInTempData = true;
        return output;
    }
    reasons.push_back(*waiting);
    const std::string text = joined(reasons) + "\n" + c.texts.text(Text::SavedNowhere);
    c.messages.error(kTitle, withLog(c, text, logDelivery(c, text)));
    return std::nullopt;
}

namespace {

// Passes every message on and keeps the first failure told: the reason a kept set waits.
class FirstFailure final : public platform::Messages {
public:
    explicit FirstFailure(platform::Messages& to) : to_(to) {}
    void show(platform::MessageKind kind, const std::string& title, const std::string& text) override {
        if (kind != platform::MessageKind::Information && first.empty()) first = text;
        to_.show(kind, title, text);
    }
    bool askYesNo(const std::string& title, const std::string& text) override { return to_.askYesNo(title, text); }

    std::string first;

private:
    platform::Messages& to_;
};

WriterContext withMessages(const WriterContext& c, platform::Messages& messages) {
    WriterContext copy{c.run,           c.settings, c.texts,       messages, c.files, c.args, c.partProgram,
                       c.programFolder, c.clock,    c.window};
    copy.lockWaitMilliseconds = c.lockWaitMilliseconds;
    copy.keepInTempData = c.keepInTempData;
    copy.waitingFolder = c.waitingFolder;
    return copy;
}

// One writer at a time per program folder: two instances never share a name, a counter or
// a half-copied file. The system lets go of the lock when a process dies. A program folder
// that cannot hold the lock file (installed for all users) has it in the user's folder.
std::unique_ptr<platform::FileLock> takeWriterLock(WriterContext& c) {
    const std::string lockFile = platform::joinPath(c.programFolder, kWriterLockFile);
    std::unique_ptr<platform::FileLock> lock = c.files.lockFile(lockFile, c.lockWaitMilliseconds);
    if (lock) return lock;
    if (c.files.fileExists(lockFile)) {
        c.messages.plain(kTitle, c.texts.text(Text::AnotherInstanceWriting));
        return nullptr;
    }
    const std::string userLock = platform::joinPath(c.waitingFolder, kWriterLockFile);
    if (!c.waitingFolder.empty() && makeFolders(c.files, c.waitingFolder) &&
        (lock = c.files.lockFile(userLock, c.lockWaitMilliseconds)))
        return lock;
    c.messages.plain(kTitle, c.texts.text(Text::LockFileNotCreated, {lockFile}));
    return nullptr;
}

}  // namespace

bool WriteQdasFiles(WriterContext& context) {
    FirstFailure told(context.messages);
    WriterContext c = withMessages(context, told);
    std::unique_ptr<platform::FileLock> lock;
    if (c.window.characteristicListCount() > 0) lock = takeWriterLock(c);
    const bool unlocked = c.window.characteristicListCount() > 0 && !lock;
    std::optional<WrittenOutput> output = WriteOutputFiles(c, c.keepInTempData, unlocked);
    if (!output) return false;
    const Routing* routing = output->routing ? &*output->routing : nullptr;
    if (output->keptInTempData) {
        noteWaitingSet(c, output->folder, output->baseName, output->dfdFormat, routing, told.first);
        return false;
    }
    if (!output->delivered) {
        if (!uploadFiles(c, *routing, output->baseName, UploadSource{output->folder})) {
            noteWaitingSet(c, output->folder, output->baseName, output->dfdFormat, routing, told.first);
            return false;
        }
        forgetWaitingSet(c, output->folder, output->baseName);
    }
    // A delivery that went through: what waits from earlier may go now too.
    deliverWaitingSets(c, true);
    return true;
}

}  // namespace kelmar::qdas
