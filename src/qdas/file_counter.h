#pragma once
// The four-digit output counter kept per part program in "\PartData".

#include <string>

#include "platform/file_system.h"
#include "platform/messages.h"
#include "settings/language_texts.h"

namespace kelmar::qdas {

// The counter file of a part program:
// <program folder>/PartData/FileCounter__<part>__<revision>__<serial>.dat, each text made safe.
std::string FileCounterFilePath(const std::string& programFolder, const std::string& partName,
                                const std::string& revisionNumber, const std::string& serialNumber);

struct FileCounterValue {
    std::string counter;  // the four digits this run uses
    bool saved = true;    // false when the file could not be read or advanced (the user was told)
};

// Reads the last counter of the file (its last line only), advances it and appends the new
// one as a line: "0001" for a new file, "0000" with a message after "9999". A file that
// exists but cannot be read, or a failed append, is reported and leaves saved false, since
// the next run would get the same number.
FileCounterValue NextFileCounter(platform::FileSystem& files, platform::Messages& messages,
                                 const settings::LanguageTexts& texts, const std::string& counterFile);

}  // namespace kelmar::qdas
