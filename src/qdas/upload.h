#pragma once
// Distribution of a run's output from TempData into the output folder or the
// result subfolders, optionally into the monitoring folder, with the debug log.

#include <string>
#include <vector>

#include "qdas/writer_context.h"

namespace kelmar::qdas {

// Where the files of one run go: the arguments of fctUploadFiles and the settings it reads.
struct Routing {
    std::string outputFolder;  // the base folder, without result subfolder
    bool partOK = false;
    bool reworked = false;
    bool dfdFormat = false;
    bool useFolders = false;
    bool monitor = false;
    std::string monitoringFolder;  // DIR_MONITOR/<part>_<revision>_<serial>
};

// The routing of a run from the settings and the part program as they are now.
Routing routingOf(WriterContext& context, const std::string& outputFolder, bool partOK, bool reworked, bool dfdFormat);

// The folders that receive each file of the run, monitoring aside, in the order they are served.
std::vector<std::string> resultFolders(const Routing& routing);

// How a set of files is delivered from the folder where it waits.
struct UploadSource {
    std::string folder;        // TempData, or the folder where a kept set waits
    bool redelivery = false;   // a set delivered earlier in part: the same set under its name counts as there
    bool quiet = false;        // failures go to Kelmar.log only, not to the user
};

// Copies the files of baseName from TempData to their destinations and deletes them from
// TempData while no copy failed; true when no copy failed. Rewrites UploadDebug.txt.
bool fctUploadFiles(WriterContext& context, const std::string& outputFolder, bool blnPartOK, bool blnReworkedPart,
                    bool dfdFormat, const std::string& baseName);

// The same for a routing and a source of its own.
bool uploadFiles(WriterContext& context, const Routing& routing, const std::string& baseName,
                 const UploadSource& source);

}  // namespace kelmar::qdas
