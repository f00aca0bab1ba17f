#pragma once
// Distribution of a run's output from TempData into the output folder or the
// result subfolders, optionally into the monitoring folder, with the debug log.

#include <string>

#include "qdas/writer_context.h"

namespace kelmar::qdas {

// Copies the files of baseName from TempData to their destinations and deletes them from
// TempData while no copy failed; true when no copy failed. Rewrites UploadDebug.txt.
bool fctUploadFiles(WriterContext& context, const std::string& outputFolder, bool blnPartOK, bool blnReworkedPart,
                    bool dfdFormat, const std::string& baseName);

}  // namespace kelmar::qdas
