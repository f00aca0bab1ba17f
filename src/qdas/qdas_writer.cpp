#include "qdas/qdas_writer.h"

#include <algorithm>
#include <memory>

#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "qdas/description.h"
#include "qdas/file_copy.h"
#include "qdas/file_counter.h"
#include "qdas/output_settings.h"
#include "qdas/upload.h"
#include "qdas/value_block.h"
#include "qdas/written_characteristics.h"
#include "settings/setting_names.h"

namespace kelmar::qdas {
namespace {

namespace names = settings::names;
constexpr const char* kTitle = platform::kApplicationTitle;

// About the size of a characteristic block and of a value group, so a large run is
// neither copied while its text grows nor given memory it never touches.
constexpr std::size_t kBlockBytes = 256, kValueBytes = 96;

FileCounterValue takeCounter(WriterContext& c, const OutputSettings& settings) {
    if (!settings.FileCounter) return {};
    const std::string partData = platform::joinPath(c.programFolder, "PartData");
    // A missing folder only makes the counter restart; the run goes on.
    if (!FolderExists(c.files, partData)) CreateFolder(c.files, partData);
    const host::PartProgram& program = c.partProgram;
    return NextFileCounter(c.files, c.messages,
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
            c.messages.plain(kTitle, "No Path for output file selected.");
            return std::nullopt;
        }
        if (!FolderExists(c.files, folder)) {
            c.messages.plain(kTitle, "Selected folder didn't exist.");
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
                c.messages.plain(kTitle, "Folder in Command line didn't exist.");
                return std::nullopt;
            }
        }
    }
    // An empty folder would put the result folders at the root of the file system.
    if (fromPartProgram && folder.empty()) {
        c.messages.plain(kTitle, "The part program gives no folder for the output file.");
        return std::nullopt;
    }
    if (fromPartProgram && !FolderExists(c.files, folder)) {
        c.messages.plain(kTitle, "The folder of the part program " + folder + " doesn't exist.");
        return std::nullopt;
    }
    if (folder.empty()) {
        c.messages.plain(kTitle, "No folder for the output file is set. Please check your settings.");
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
    c.messages.plain(kTitle,
                     "Software can't create the output folder " + folder + ". Please check your system privilegs");
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
    std::string name = platform::safeNamePart(c.window.lblOrvPartName()) + "_" +
                       platform::safeNamePart(c.window.lblOrvRevNumber()) + "_" +
                       platform::safeNamePart(c.window.lblOrvSerNumber());
    if (!counter.empty()) (name += "_") += counter;
    return name + "_" + gmTimeStamp(c.clock.now());
}

void reportWriteFailure(WriterContext& c, const WrittenSet& set, const std::string& tempData, bool dfdFormat,
                        const std::string& baseName) {
    const bool values = dfdFormat && set.failedFile == 1;
    const std::string path = platform::joinPath(tempData, set.baseName + (values      ? ".dfx"
                                                                          : dfdFormat ? ".dfd"
                                                                                      : ".dfq"));
    switch (set.failure) {
        case WrittenSet::Failure::Write:
            if (values)
                c.messages.plain(kTitle, "Error during generation of the DFX file.");
            else
                c.messages.error(kTitle, "The file " +
                                             platform::joinPath(tempData, baseName + (dfdFormat ? ".dfd" : ".dfq")) +
                                             " could not be written completely. Output will be canceled.");
            return;
        case WrittenSet::Failure::Rename:
            c.messages.error(kTitle, "The file " + path +
                                         " could not be put in place. Output will be canceled. "
                                         "The measurement was kept as " +
                                         set.keptAs + ".");
            return;
        case WrittenSet::Failure::Flush:
            c.messages.error(kTitle, "The files in " + tempData +
                                         " could not be saved to the disk. Output will be canceled. Please upload "
                                         "the files manually.");
            return;
        case WrittenSet::Failure::None:
            return;
    }
}

// Builds both parts in memory and writes them whole into TempData under a name no
// waiting file has; nothing when they could not be written (the user was told).
std::optional<std::string> writeFiles(WriterContext& c, const std::string& tempData, const std::string& baseName,
                                      bool dfdFormat, int count) {
    const DescriptionOptions options{c.settings.readFlag(names::AxisLetter).value_or(false),
                                     c.settings.readFlag(names::UseQPos).value_or(false), c.run.DimensionName,
                                     c.run.DimensionNumber};
    // Decided once, before comment naming rewrites the comments, so blocks and values agree.
    const std::vector<int> written = writtenCharacteristics(c.run, count);
    const PartCaptions captions{c.window.lblOrvSerNumber(), c.window.lblOrvPartName(), c.window.lblOrvRevNumber()};
    QdasLines description;
    QdasLines values;
    description.reserve((kBlockBytes + (dfdFormat ? 0 : kValueBytes)) * (written.size() + 1));
    WriteDescription(c.run, written, captions, options, description);
    WriteValueBlock(c.run, written, c.clock, dfdFormat ? values : description);
    const FileToWrite dfq[] = {{"dfq", description.text()}};
    const FileToWrite dfd[] = {{"dfd", description.text()}, {"dfx", values.text()}};
    const WrittenSet set =
        writeFileSet(c.files, tempData, baseName, dfdFormat ? std::span<const FileToWrite>(dfd) : dfq);
    if (set.failure != WrittenSet::Failure::None) {
        reportWriteFailure(c, set, tempData, dfdFormat, baseName);
        return std::nullopt;
    }
    if (set.baseName != baseName)
        c.messages.information(kTitle, "An earlier measurement still waits in " +
                                           platform::joinPath(tempData, baseName + (dfdFormat ? ".dfd" : ".dfq")) +
                                           ". Please upload it manually. This measurement was saved as " +
                                           platform::joinPath(tempData, set.baseName + (dfdFormat ? ".dfd" : ".dfq")) +
                                           ".");
    return set.baseName;
}

// No other format is chosen either: a setup that was stored empty.
bool noFormatChosen(const settings::SettingsStore& store) {
    return store.readFlag(names::DFD) == false && store.readFlag(names::DFQ) == false;
}

}  // namespace

std::optional<WrittenOutput> WriteOutputFiles(WriterContext& c, bool keepInTempData) {
    const int count = c.window.characteristicListCount();
    if (count <= 0) {
        c.messages.plain(kTitle, "No Characteristics for Output available.");
        return std::nullopt;
    }
    c.window.markAllCharacteristics();
    // Each check that fails has told the user; the files then stay in TempData.
    bool distribute = !keepInTempData;
    std::optional<OutputSettings> settings = readOutputSettings(c.settings);
    if (!settings) {
        c.messages.error(
            kTitle, "Settings for the output file are missing. Output will be canceled. Please check you settings.");
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
        c.messages.plain(kTitle, "No format for the output file is set. Please check your settings.");
        distribute = false;
    }
    const bool dfdFormat = c.settings.readFlag(names::DFD).value_or(false);
    const std::string tempData = platform::joinPath(c.programFolder, "TempData");
    if (!ensureFolder(c, tempData)) return std::nullopt;
    std::string baseName;
    if (settings) {
        const std::string fileName =
            BuildOutputFileName(settings->codes, counter.counter, "dfq", settings->rule, nameSources(c));
        baseName = fileName.substr(0, fileName.size() - 4);
    }
    if (baseName.empty()) {
        if (settings && distribute)
            c.messages.plain(kTitle, "The settings give the output file no name. Please check your settings.");
        distribute = false;
        baseName = partInformationName(c, counter.counter);
    }
    std::optional<std::string> written = writeFiles(c, tempData, baseName, dfdFormat, count);
    if (!written) return std::nullopt;
    if (!distribute)
        c.messages.plain(kTitle, "The measurement was kept in " +
                                     platform::joinPath(tempData, *written + (dfdFormat ? ".dfd" : ".dfq")) +
                                     ". Please upload it manually.");
    return WrittenOutput{baseFolder, partOK, dfdFormat, *written, !distribute};
}

bool WriteQdasFiles(WriterContext& context) {
    // One writer at a time per program folder: two instances never share a name, a
    // counter or a half-copied file. The system lets go of the lock when a process dies.
    std::unique_ptr<platform::FileLock> lock;
    bool unlocked = false;
    if (context.window.characteristicListCount() > 0) {
        const std::string lockFile = platform::joinPath(context.programFolder, kWriterLockFile);
        lock = context.files.lockFile(lockFile, context.lockWaitMilliseconds);
        unlocked = !lock;
        if (unlocked && context.files.fileExists(lockFile))
            context.messages.plain(kTitle,
                                   "Another instance of the program is still writing its output files, so "
                                   "this output cannot be distributed now.");
        else if (unlocked)
            context.messages.plain(kTitle, "The file " + lockFile +
                                               " could not be created, so this output cannot be distributed "
                                               "safely. Please check your system privilegs");
    }
    std::optional<WrittenOutput> output = WriteOutputFiles(context, unlocked || context.keepInTempData);
    if (!output || output->keptInTempData) return false;
    return fctUploadFiles(context, output->baseFolder, output->blnPartOK, context.run.ReworkedPartFlag,
                          output->dfdFormat, output->baseName);
}

}  // namespace kelmar::qdas
