#include "qdas/qdas_writer.h"

#include <algorithm>

#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "qdas/description.h"
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

std::string takeCounter(WriterContext& c, const OutputSettings& settings) {
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
        folder = host::readOr([&] { return c.partProgram.Path(); }, folder);
    }
    if (c.args.count() == 2) {
        std::string argument = platform::trimBlanks(c.args.arg(2));
        if (!argument.empty()) {
            folder = argument;
            if (!FolderExists(c.files, folder)) {
                c.messages.plain(kTitle, "Folder in Command line didn't exist.");
                return std::nullopt;
            }
        }
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

bool writeDescriptionFile(WriterContext& c, const std::string& path, const std::string& text) {
    if (c.files.writeFile(path, text)) return true;
    c.messages.error(kTitle, "The file " + path + " could not be written completely. Output will be canceled.");
    return false;
}

// Builds both parts in memory and writes each file whole; a file that is not
// complete is never handed to the distribution.
bool writeFiles(WriterContext& c, const std::string& path, bool dfdFormat, int count) {
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
    if (!dfdFormat) {
        WriteValueBlock(c.run, written, c.clock, description);
        return writeDescriptionFile(c, path, description.text());
    }
    if (!writeDescriptionFile(c, path, description.text())) return false;
    values.reserve(kValueBytes * (written.size() + 1));
    WriteValueBlock(c.run, written, c.clock, values);
    if (c.files.writeFile(path.substr(0, path.size() - 3) + "dfx", values.text())) return true;
    c.messages.plain(kTitle, "Error during generation of the DFX file.");
    return false;
}

}  // namespace

std::optional<WrittenOutput> WriteOutputFiles(WriterContext& c) {
    const int count = c.window.characteristicListCount();
    if (count <= 0) {
        c.messages.plain(kTitle, "No Characteristics for Output available.");
        return std::nullopt;
    }
    c.window.markAllCharacteristics();
    std::optional<OutputSettings> settings = readOutputSettings(c.settings);
    if (!settings) {
        c.messages.error(
            kTitle, "Settings for the output file are missing. Output will be canceled. Please check you settings.");
        return std::nullopt;
    }
    // Taken before the folder checks: a run stopped below has used its counter value.
    const std::string counter = takeCounter(c, *settings);
    std::optional<std::string> baseFolder = chooseBaseFolder(c, *settings);
    if (!baseFolder) return std::nullopt;
    const bool partOK = settings->UseFolders && partIsOK(c.run, count);
    if (settings->UseFolders && !makeResultFolders(c, *baseFolder, partOK)) return std::nullopt;
    const bool dfdFormat = c.settings.readFlag(names::DFD).value_or(false);
    const std::string tempData = platform::joinPath(c.programFolder, "TempData");
    if (!ensureFolder(c, tempData)) return std::nullopt;
    const std::string fileName =
        BuildOutputFileName(settings->codes, counter, dfdFormat ? "dfd" : "dfq", settings->rule, nameSources(c));
    if (!writeFiles(c, platform::joinPath(tempData, fileName), dfdFormat, count)) return std::nullopt;
    return WrittenOutput{*baseFolder, partOK, dfdFormat, fileName.substr(0, fileName.size() - 4)};
}

bool WriteQdasFiles(WriterContext& context) {
    std::optional<WrittenOutput> output = WriteOutputFiles(context);
    if (!output) return false;
    return fctUploadFiles(context, output->baseFolder, output->blnPartOK, context.run.ReworkedPartFlag,
                          output->dfdFormat, output->baseName);
}

}  // namespace kelmar::qdas
