#include "qdas/upload.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/paths.h"
#include "platform/product.h"
#include "qdas/file_copy.h"
#include "qdas/file_naming.h"
#include "settings/setting_names.h"

namespace kelmar::qdas {
namespace {

namespace names = settings::names;

// Which part of the distribution a copy belongs to: the debug entries differ.
enum class Part { Dfd, Dfx, Dfq };

// The debug entries of one file's routing.
struct RoutingEntries {
    const char* useFoldersOn;
    const char* partOK;
    const char* partOOT;
    const char* notReworked;
    const char* useFoldersOff;
};

constexpr RoutingEntries kDfdEntries{"DFD UseFolders=True", "blnPartOK=True", "blnPartOK=False",
                                     "blnReworkedPart=False", "UseFolders=False"};
constexpr RoutingEntries kDfxEntries{"DFX UseFolders=True", "blnPartOK=TRUE", "blnPartOK=FALSE",
                                     "blnReworkedPart=FALSE", "DFX UseFolders=FALSE"};
constexpr RoutingEntries kDfqEntries{"DFQ UseFolders=True", "blnPartOK=TRUE", "blnPartOK=FALSE",
                                     "blnReworkedPart=FALSE", "DFX UseFolders=False"};

// The copies of one run into one folder, under temporary names until they are placed together.
struct Staged {
    std::string folder;
    std::string temporaries[2];  // by member: the .dfd or .dfq, then the .dfx
    bool failed = false;
};

class Upload {
public:
    Upload(WriterContext& context, const Routing& routing, const UploadSource& source)
        : c_(context), routing_(routing), source_(source), members_(routing.dfdFormat ? 2 : 1) {}

    void start();
    void dfd(const std::string& baseName);
    void dfq(const std::string& baseName);
    bool finish();

private:
    void log(std::string_view entry);
    void status(const std::string& text);
    void fail(const std::string& text);
    void copy(const std::string& file, const std::string& destination, Part part);
    void route(const std::string& file, const RoutingEntries& entries, Part part);
    void copyToResultFolder(const std::string& file, const RoutingEntries& entries, Part part);
    void removeFromTempData(const std::string& file, const char* entry, bool logFailure);
    void copied(const std::string& folder);
    void place();
    void removeDelivered();
    void monitorDescription(const std::string& file);
    void monitorValues(const std::string& file);
    Staged& stagedIn(const std::string& folder);
    bool wholeSetThere(const std::string& folder) const;
    std::string sourcePath(const std::string& file) const { return platform::joinPath(source_.folder, file); }
    std::string copyFailure(const std::string& file, const std::string& destination) const {
        return c_.texts.text(settings::Text::CopyFailed, {sourcePath(file), destination});
    }

    WriterContext& c_;
    const Routing routing_;
    const UploadSource source_;
    const std::size_t members_;
    std::string baseName_;
    std::string log_;
    bool error_ = false;
    struct Removal {
        std::string file;
        bool logFailure;
    };
    std::vector<Removal> removals_;
    std::vector<std::string> copiedInto_;
    std::vector<Staged> staged_;
};

void Upload::log(std::string_view entry) {
    log_ += '"';
    log_ += entry;
    log_ += "\"\r\n";
}

void Upload::status(const std::string& text) { c_.window.setStatusText(text); }

void Upload::fail(const std::string& text) {
    if (!source_.quiet) c_.messages.error(platform::kApplicationTitle, text);
    error_ = true;
}

Staged& Upload::stagedIn(const std::string& folder) {
    for (Staged& staged : staged_)
        if (staged.folder == folder) return staged;
    // The first delivery into a folder clears what killed runs left there.
    removeLeftoverTemporaries(c_.files, folder);
    Staged& staged = staged_.emplace_back();
    staged.folder = folder;
    return staged;
}

bool Upload::wholeSetThere(const std::string& folder) const {
    static const char* const kPair[] = {"dfd", "dfx"};
    for (std::size_t member = 0; member < members_; ++member)
        if (!c_.files.fileExists(platform::joinPath(folder, baseName_ + "." + (members_ == 2 ? kPair[member] : "dfq"))))
            return false;
    return true;
}

void Upload::copy(const std::string& file, const std::string& destination, Part part) {
    const std::string text = c_.texts.text(settings::Text::CopyInProgress, {sourcePath(file), destination});
    status(text);
    log(part == Part::Dfd ? "Status Message: " + text : text);
    const std::size_t member = part == Part::Dfx ? 1 : 0;
    bool copiedWhole = false;
    std::string reason = "the folder doesn't exist";
    if (FolderExists(c_.files, destination)) {
        Staged& staged = stagedIn(destination);
        // A name the whole set already holds is refused, as the copy refuses it; a lone
        // partner left of an earlier set only makes this set take the next free name.
        reason = "a file of that name is already there";
        if (source_.redelivery || !wholeSetThere(destination)) {
            const auto temporary = makeTemporary(c_.files, destination, [&](const std::string& path) {
                return c_.files.copyToNewFile(sourcePath(file), path);
            });
            if (temporary) staged.temporaries[member] = *temporary;
            copiedWhole = temporary.has_value();
            if (!copiedWhole) reason = c_.files.lastErrorText();
        }
        staged.failed = staged.failed || !copiedWhole;
    }
    if (copiedWhole) return;
    logDelivery(c_, "Copy of " + sourcePath(file) + " to " + destination + " failed (" + reason + ")");
    if (part != Part::Dfq)
        log("fctCopyFile(" + file + "," + destination + "," + c_.programFolder +
            platform::nativeSeparators(" \\ TempData; ) = False"));
    fail(copyFailure(file, destination));
}

void Upload::copyToResultFolder(const std::string& file, const RoutingEntries& entries, Part part) {
    log(routing_.partOK ? entries.partOK : entries.partOOT);
    copy(file, inFolder(routing_.outputFolder, routing_.partOK ? "PartOK" : "PartOOT"), part);
}

void Upload::route(const std::string& file, const RoutingEntries& entries, Part part) {
    if (!routing_.useFolders) {
        log(entries.useFoldersOff);
        copy(file, routing_.outputFolder, part);
        return;
    }
    log(entries.useFoldersOn);
    copyToResultFolder(file, entries, part);
    if (!routing_.reworked) {
        log(entries.notReworked);
        copy(file, inFolder(routing_.outputFolder, "FirstParts"), part);
    }
}

void Upload::removeFromTempData(const std::string& file, const char* entry, bool logFailure) {
    // Once a copy failed the files stay in TempData, so the user can upload them by hand.
    if (error_) return;
    if (entry) log(entry);
    // Done at the end: a .dfd leaves TempData only with its .dfx, once every copy of both is safe.
    removals_.push_back({file, logFailure});
}

void Upload::copied(const std::string& folder) {
    if (std::find(copiedInto_.begin(), copiedInto_.end(), folder) == copiedInto_.end()) copiedInto_.push_back(folder);
}

void Upload::place() {
    static const std::vector<const char*> kPair{"dfd", "dfx"}, kSingle{"dfq"};
    const std::vector<const char*>& extensions = members_ == 2 ? kPair : kSingle;
    for (Staged& staged : staged_) {
        const std::vector<std::string> temporaries(staged.temporaries, staged.temporaries + members_);
        // Half a set never goes under final names.
        if (staged.failed) {
            for (const std::string& temporary : temporaries)
                if (!temporary.empty()) c_.files.removeFile(temporary);
            continue;
        }
        const WrittenSet set = placeTemporaries(c_.files, staged.folder, baseName_, extensions, temporaries,
                                                source_.redelivery ? WhenTaken::NextNameUnlessSame : WhenTaken::NextName);
        if (set.failure != WrittenSet::Failure::None) {
            logDelivery(c_, "Placing " + baseName_ + " in " + staged.folder + " failed (" +
                                c_.files.lastErrorText() + ")");
            fail(copyFailure(baseName_ + "." + extensions.front(), staged.folder));
            continue;
        }
        if (set.alreadyThere) {
            logDelivery(c_, baseName_ + " from " + source_.folder + " was already in " + staged.folder);
            continue;
        }
        copied(staged.folder);
        logDelivery(c_, "Delivered " + baseName_ + " from " + source_.folder + " to " +
                            platform::joinPath(staged.folder, set.baseName));
    }
}

void Upload::removeDelivered() {
    // Once per folder, and before any source goes: a power loss must not take both.
    for (const std::string& folder : copiedInto_)
        if (!c_.files.flushFolder(folder))
            fail(c_.texts.text(settings::Text::CopiesNotSaved, {folder, source_.folder}));
    if (error_) return;
    for (const Removal& removal : removals_)
        if (!c_.files.removeFile(sourcePath(removal.file)) && removal.logFailure)
            log("Error during Kill of " + sourcePath(removal.file));
}

void Upload::monitorDescription(const std::string& file) {
    if (!routing_.monitor) {
        log("blnMONITOR=False");
        return;
    }
    log("DFD blnMONITOR=True");
    const std::string& folder = routing_.monitoringFolder;
    if (!FolderExists(c_.files, folder) && !CreateFolder(c_.files, folder))
        fail(c_.texts.text(settings::Text::MonitoringFolderNotCreated));
    // The description goes there once and is never replaced.
    if (c_.files.fileExists(platform::joinPath(folder, kMonitoringDescription))) return;
    if (copyWithoutOverwriting(c_.files, sourcePath(file), folder, kMonitoringDescription))
        copied(folder);
    else
        fail(c_.texts.text(settings::Text::MonitoringCopyFailed, {file, folder}));
}

void Upload::monitorValues(const std::string& file) {
    if (!routing_.monitor) return;
    log("DFX MONITOR=True");
    const std::string& folder = routing_.monitoringFolder;
    // A set delivered again whose values already went there goes there once only.
    if (source_.redelivery && sameAsLastMonitoringValues(c_.files, folder, sourcePath(file))) return;
    // Past 00009999 there is no name left: the copy fails rather than replacing a file.
    std::optional<std::string> target = nextMonitoringValueFile(c_.files, folder);
    if (target && copyWithoutOverwriting(c_.files, sourcePath(file), folder, *target))
        copied(folder);
    else
        fail(c_.texts.text(settings::Text::MonitoringValueCopyFailed, {file, folder}));
}

void Upload::start() {
    log("Upload Debug File");
    const std::string& text = c_.texts.line(240);
    status(text);
    log("Status Message: " + text);
}

void Upload::dfd(const std::string& baseName) {
    baseName_ = baseName;
    log("DFD + DFX Format");
    log("Copy of DFD File");
    const std::string description = baseName + ".dfd";
    route(description, kDfdEntries, Part::Dfd);
    log("End Copy of DFD File");
    monitorDescription(description);
    removeFromTempData(description, "Delete DFD File in TempData Folder", true);

    log("Copy of DFX File");
    const std::string values = baseName + ".dfx";
    const std::string text = c_.texts.text(settings::Text::UploadInProgress, {values});
    status(text);
    log(text);
    route(values, kDfxEntries, Part::Dfx);
    monitorValues(values);
    log("End Copy of DFX File");
    removeFromTempData(values, "Delete DFX File in TempData Folder", true);
    log("End Copy of DFD + DFX File");
}

void Upload::dfq(const std::string& baseName) {
    baseName_ = baseName;
    log("DFQ - Format");
    const std::string file = baseName + ".dfq";
    if (!routing_.useFolders) {
        route(file, kDfqEntries, Part::Dfq);
        removeFromTempData(file, "Delete DFQ File in TempData Folder", true);
        return;
    }
    log(kDfqEntries.useFoldersOn);
    copyToResultFolder(file, kDfqEntries, Part::Dfq);
    if (routing_.reworked) {
        log("blnReworkedPart=TRUE");
        removeFromTempData(file, "Delete DFQ File in TempData Folder", true);
    } else {
        log(kDfqEntries.notReworked);
        copy(file, inFolder(routing_.outputFolder, "FirstParts"), Part::Dfq);
        removeFromTempData(file, nullptr, false);
    }
}

bool Upload::finish() {
    place();
    removeDelivered();
    const bool result = !error_;
    if (!result) {
        const std::string logPath = logDelivery(c_, "The measurement " + baseName_ + " waits in " + source_.folder);
        if (!source_.quiet)
            c_.messages.error(platform::kApplicationTitle,
                              c_.texts.text(settings::Text::MeasurementWaitsIn, {baseName_, source_.folder}) +
                                  (logPath.empty() ? "" : " " + c_.texts.text(settings::Text::DetailsInLog, {logPath})));
    }
    status(c_.texts.line(241));
    log("End of Upload");
    log(std::string("fctUploadFiles= ") + (result ? "True" : "False"));
    // Without a log (a read-only program folder) the distribution still counts. A waiting set
    // delivered again leaves the log of the last run alone.
    if (!source_.redelivery) c_.files.writeFile(platform::joinPath(c_.programFolder, "UploadDebug.txt"), log_);
    return result;
}

}  // namespace

Routing routingOf(WriterContext& c, const std::string& outputFolder, bool partOK, bool reworked, bool dfdFormat) {
    Routing routing;
    routing.outputFolder = outputFolder;
    routing.partOK = partOK;
    routing.reworked = reworked;
    routing.dfdFormat = dfdFormat;
    routing.useFolders = c.settings.readFlag(names::UseFolders).value_or(false);
    // Only the description and value files of DFD + DFX go to monitoring.
    routing.monitor = dfdFormat && c.settings.readFlag(names::MONITOR).value_or(false);
    if (routing.monitor) {
        const host::PartProgram& program = c.partProgram;
        routing.monitoringFolder = monitoringFolder(c.settings.readText(names::DIR_MONITOR).value_or(""),
                                                    partProgramText(program, &host::PartProgram::PartName),
                                                    partProgramText(program, &host::PartProgram::RevisionNumber),
                                                    partProgramText(program, &host::PartProgram::SerialNumber));
    }
    return routing;
}

std::vector<std::string> resultFolders(const Routing& routing) {
    if (!routing.useFolders) return {routing.outputFolder};
    std::vector<std::string> folders{inFolder(routing.outputFolder, routing.partOK ? "PartOK" : "PartOOT")};
    if (!routing.reworked) folders.push_back(inFolder(routing.outputFolder, "FirstParts"));
    return folders;
}

bool uploadFiles(WriterContext& context, const Routing& routing, const std::string& baseName,
                 const UploadSource& source) {
    const std::string debugLog = platform::joinPath(context.programFolder, "UploadDebug.txt");
    if (!source.redelivery && context.files.fileExists(debugLog)) context.files.removeFile(debugLog);
    Upload upload(context, routing, source);
    upload.start();
    if (routing.dfdFormat)
        upload.dfd(baseName);
    else
        upload.dfq(baseName);
    return upload.finish();
}

bool fctUploadFiles(WriterContext& context, const std::string& outputFolder, bool blnPartOK, bool blnReworkedPart,
                    bool dfdFormat, const std::string& baseName) {
    return uploadFiles(context, routingOf(context, outputFolder, blnPartOK, blnReworkedPart, dfdFormat), baseName,
                       UploadSource{platform::joinPath(context.programFolder, "TempData")});
}

}  // namespace kelmar::qdas
