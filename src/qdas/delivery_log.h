#pragma once
// Kelmar.log: what became of every measurement, one time-stamped line each, for the
// person who has to find out later where a file went or why it waits.

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "qdas/clock.h"

namespace kelmar::qdas {

// The file's name in the program folder, or beside the waiting folder when the program folder refuses it.
inline constexpr const char* kDeliveryLogName = "Kelmar.log";

class DeliveryLog {
public:
    // waitingFolder may be empty: then only the program folder is tried.
    DeliveryLog(platform::FileSystem& files, const Clock& clock, std::string programFolder, std::string waitingFolder);

    // Appends "yyyy-mm-dd hh:mm:ss text" as one line; a log past 1 MB is first moved to
    // Kelmar.old.log, replacing the older one. A log that cannot be written is skipped.
    bool write(std::string_view text);
    // Where the last line went (the program folder's log until one was written elsewhere).
    const std::string& path() const { return path_; }

private:
    bool appendTo(const std::string& path, const std::string& line);

    platform::FileSystem& files_;
    const Clock& clock_;
    std::string path_;
    std::string fallbackPath_;
};

}  // namespace kelmar::qdas
