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

class Upload {
public:
    Upload(WriterContext& context, const std::string& outputFolder, bool partOK, bool reworked)
        : c_(context),
          outputFolder_(outputFolder),
          partOK_(partOK),
          reworked_(reworked),
          tempData_(platform::joinPath(context.programFolder, "TempData")),
          useFolders_(context.settings.readFlag(names::UseFolders).value_or(false)),
          monitor_(context.settings.readFlag(names::MONITOR).value_or(false)) {}

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
    void removeDelivered();
    void monitorDescription(const std::string& file);
    void monitorValues(const std::string& file);
    std::string monitoringFolderOfPart() const;
    std::string tempPath(const std::string& file) const { return platform::joinPath(tempData_, file); }

    WriterContext& c_;
    const std::string outputFolder_;
    const bool partOK_;
    const bool reworked_;
    const std::string tempData_;
    const bool useFolders_;
    const bool monitor_;
    std::string log_;
    bool error_ = false;
    struct Removal {
        std::string file;
        bool logFailure;
    };
    std::vector<Removal> removals_;
    std::vector<std::string> copiedInto_;
};

void Upload::log(std::string_view entry) {
    log_ += '"';
    log_ += entry;
    log_ += "\"\r\n";
}

void Upload::status(const std::string& text) { c_.window.setStatusText(text); }

void Upload::fail(const std::string& text) {
    c_.messages.error(platform::kApplicationTitle, text);
    error_ = true;
}

void Upload::copy(const std::string& file, const std::string& destination, Part part) {
    const std::string text = "Copy of " + tempPath(file) + " to " + destination + " in progress...";
    status(text);
    log(part == Part::Dfd ? "Status Message: " + text : text);
    if (fctCopyFile(c_.files, file, destination, tempData_)) {
        copied(destination);
        return;
    }
    if (part != Part::Dfq)
        log("fctCopyFile(" + file + "," + destination + "," + c_.programFolder +
            platform::nativeSeparators(" \\ TempData; ) = False"));
    fail("Copy of " + tempPath(file) + "\nto\n" + destination + "\nfailed. Please upload the file manually.");
}

void Upload::copyToResultFolder(const std::string& file, const RoutingEntries& entries, Part part) {
    log(partOK_ ? entries.partOK : entries.partOOT);
    copy(file, inFolder(outputFolder_, partOK_ ? "PartOK" : "PartOOT"), part);
}

void Upload::route(const std::string& file, const RoutingEntries& entries, Part part) {
    if (!useFolders_) {
        log(entries.useFoldersOff);
        copy(file, outputFolder_, part);
        return;
    }
    log(entries.useFoldersOn);
    copyToResultFolder(file, entries, part);
    if (!reworked_) {
        log(entries.notReworked);
        copy(file, inFolder(outputFolder_, "FirstParts"), part);
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

void Upload::removeDelivered() {
    // Once per folder, and before any source goes: a power loss must not take both.
    for (const std::string& folder : copiedInto_)
        if (!c_.files.flushFolder(folder))
            fail("The copies in " + folder + " could not be saved to the disk. The files stay in " + tempData_ + ".");
    if (error_) return;
    for (const Removal& removal : removals_)
        if (!c_.files.removeFile(tempPath(removal.file)) && removal.logFailure)
            log("Error during Kill of " + tempPath(removal.file));
}

std::string Upload::monitoringFolderOfPart() const {
    const host::PartProgram& program = c_.partProgram;
    return monitoringFolder(c_.settings.readText(names::DIR_MONITOR).value_or(""),
                            partProgramText(program, &host::PartProgram::PartName),
                            partProgramText(program, &host::PartProgram::RevisionNumber),
                            partProgramText(program, &host::PartProgram::SerialNumber));
}

void Upload::monitorDescription(const std::string& file) {
    if (!monitor_) {
        log("blnMONITOR=False");
        return;
    }
    log("DFD blnMONITOR=True");
    const std::string folder = monitoringFolderOfPart();
    if (!FolderExists(c_.files, folder) && !CreateFolder(c_.files, folder))
        fail("System can't create the folder for the Q-DAS Moitoring file.");
    // The description goes there once and is never replaced.
    if (c_.files.fileExists(platform::joinPath(folder, kMonitoringDescription))) return;
    if (copyWithoutOverwriting(c_.files, tempPath(file), folder, kMonitoringDescription))
        copied(folder);
    else
        fail("Copy of Monitoring file " + file + " to " + folder + " failed.");
}

void Upload::monitorValues(const std::string& file) {
    if (!monitor_) return;
    log("DFX MONITOR=True");
    const std::string folder = monitoringFolderOfPart();
    // Past 00009999 there is no name left: the copy fails rather than replacing a file.
    std::optional<std::string> target = nextMonitoringValueFile(c_.files, folder);
    if (target && copyWithoutOverwriting(c_.files, tempPath(file), folder, *target))
        copied(folder);
    else
        fail("Copy of Monitoring file \n" + file + "\nto\n" + folder + " failed.");
}

void Upload::start() {
    log("Upload Debug File");
    const std::string& text = c_.texts.line(240);
    status(text);
    log("Status Message: " + text);
}

void Upload::dfd(const std::string& baseName) {
    log("DFD + DFX Format");
    log("Copy of DFD File");
    const std::string description = baseName + ".dfd";
    route(description, kDfdEntries, Part::Dfd);
    log("End Copy of DFD File");
    monitorDescription(description);
    removeFromTempData(description, "Delete DFD File in TempData Folder", true);

    log("Copy of DFX File");
    const std::string values = baseName + ".dfx";
    const std::string text = "Upload of " + values + " in progress ...";
    status(text);
    log(text);
    route(values, kDfxEntries, Part::Dfx);
    monitorValues(values);
    log("End Copy of DFX File");
    removeFromTempData(values, "Delete DFX File in TempData Folder", true);
    log("End Copy of DFD + DFX File");
}

void Upload::dfq(const std::string& baseName) {
    log("DFQ - Format");
    const std::string file = baseName + ".dfq";
    if (!useFolders_) {
        route(file, kDfqEntries, Part::Dfq);
        removeFromTempData(file, "Delete DFQ File in TempData Folder", true);
        return;
    }
    log(kDfqEntries.useFoldersOn);
    copyToResultFolder(file, kDfqEntries, Part::Dfq);
    if (reworked_) {
        log("blnReworkedPart=TRUE");
        removeFromTempData(file, "Delete DFQ File in TempData Folder", true);
    } else {
        log(kDfqEntries.notReworked);
        copy(file, inFolder(outputFolder_, "FirstParts"), Part::Dfq);
        removeFromTempData(file, nullptr, false);
    }
}

bool Upload::finish() {
    removeDelivered();
    const bool result = !error_;
    status(c_.texts.line(241));
    log("End of Upload");
    log(std::string("fctUploadFiles= ") + (result ? "True" : "False"));
    // Without a log (a read-only program folder) the distribution still counts.
    c_.files.writeFile(platform::joinPath(c_.programFolder, "UploadDebug.txt"), log_);
    return result;
}

}  // namespace

bool fctUploadFiles(WriterContext& context, const std::string& outputFolder, bool blnPartOK, bool blnReworkedPart,
                    bool dfdFormat, const std::string& baseName) {
    const std::string debugLog = platform::joinPath(context.programFolder, "UploadDebug.txt");
    if (context.files.fileExists(debugLog)) context.files.removeFile(debugLog);
    Upload upload(context, outputFolder, blnPartOK, blnReworkedPart);
    upload.start();
    if (dfdFormat)
        upload.dfd(baseName);
    else
        upload.dfq(baseName);
    return upload.finish();
}

}  // namespace kelmar::qdas
