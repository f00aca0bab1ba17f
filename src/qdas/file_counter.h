#pragma once
// The four-digit output counter kept per part program in "\PartData".

#include <string>

#include "platform/file_system.h"
#include "platform/messages.h"

namespace kelmar::qdas {

// The counter file of a part program:
// <program folder>/PartData/FileCounter__<part>__<revision>__<serial>.dat, each text made safe.
std::string FileCounterFilePath(const std::string& programFolder, const std::string& partName,
                                const std::string& revisionNumber, const std::string& serialNumber);

// Reads the last counter of the file, advances it and appends the new one as a line:
// "0001" for a new file, "0000" with a message after "9999". A failed append is ignored.
std::string NextFileCounter(platform::FileSystem& files, platform::Messages& messages, const std::string& counterFile);

}  // namespace kelmar::qdas
