#pragma once
// One output run: the Q-DAS transfer file set of the captured Characteristics,
// written into TempData and handed to the distribution.

#include <optional>
#include <string>

#include "qdas/upload.h"
#include "qdas/writer_context.h"

namespace kelmar::qdas {

// What the distribution needs of files written into TempData.
struct WrittenOutput {
    std::string baseFolder;       // the output folder, without result subfolder
    bool blnPartOK = false;       // no Characteristic out of tolerance (false without UseFolders)
    bool dfdFormat = false;       // .dfd + .dfx rather than one .dfq
    std::string baseName;         // the file name without its extension
    bool keptInTempData = false;  // not to be distributed (the user was told): the files wait in folder
    std::string folder;           // where the files are: TempData, or the waiting folder
    bool delivered = false;       // TempData refused them: written straight into the result folders
    std::optional<Routing> routing{};  // where they go; nothing when a check stopped the distribution
};

// The file in the program folder whose lock makes one writer at a time.
inline constexpr const char* kWriterLockFile = "TempData.lock";

// Checks, folders, counter, name and the files in TempData. A failed check keeps the
// files in TempData (under a name holding the part information when the settings give
// none) and says so; nothing when no file could be written whole, its message shown.
// keepInTempData: the files wait for a person, with no destination. anotherWriter: another
// instance holds the writer lock; the files wait with their destination and go with the next delivery.
std::optional<WrittenOutput> WriteOutputFiles(WriterContext& context, bool keepInTempData = false,
                                              bool anotherWriter = false);

// Writes the run's files and distributes them; true when both went without a reported failure.
bool WriteQdasFiles(WriterContext& context);

}  // namespace kelmar::qdas
