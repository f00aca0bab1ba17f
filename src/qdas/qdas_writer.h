#pragma once
// One output run: the Q-DAS transfer file set of the captured Characteristics,
// written into TempData and handed to the distribution.

#include <optional>
#include <string>

#include "qdas/writer_context.h"

namespace kelmar::qdas {

// What the distribution needs of files written into TempData.
struct WrittenOutput {
    std::string baseFolder;  // the output folder, without result subfolder
    bool blnPartOK = false;  // no Characteristic out of tolerance (false without UseFolders)
    bool dfdFormat = false;  // .dfd + .dfx rather than one .dfq
    std::string baseName;    // the file name without its extension
};

// Checks, folders, counter, name and the files in TempData; nothing when the run
// stopped, its message shown. A file not written completely stops the run.
std::optional<WrittenOutput> WriteOutputFiles(WriterContext& context);

// Writes the run's files and distributes them; true when both went without a reported failure.
bool WriteQdasFiles(WriterContext& context);

}  // namespace kelmar::qdas
