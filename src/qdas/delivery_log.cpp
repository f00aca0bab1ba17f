#include "qdas/delivery_log.h"

#include <cstdio>

#include "platform/paths.h"
#include "platform/text.h"
#include "qdas/writer_context.h"

namespace kelmar::qdas {
namespace {

constexpr std::uintmax_t kLogLimit = 1u << 20;

std::string oldLogOf(const std::string& path) { return path.substr(0, path.size() - 4) + ".old.log"; }

std::string parentOf(const std::string& folder) {
    const std::size_t cut = folder.find_last_of(std::string("/") + platform::pathSeparator());
    return cut == std::string::npos || cut == 0 ? std::string() : folder.substr(0, cut);
}

}  // namespace

DeliveryLog::DeliveryLog(platform::FileSystem& files, const Clock& clock, std::string programFolder,
                         std::string waitingFolder)
    : files_(files),
      clock_(clock),
      path_(platform::joinPath(programFolder, kDeliveryLogName)),
      fallbackPath_(parentOf(waitingFolder).empty() ? std::string()
                                                    : platform::joinPath(parentOf(waitingFolder), kDeliveryLogName)) {}

bool DeliveryLog::write(std::string_view text) {
    const DateTime t = clock_.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    std::string line = stamp;
    // A message of several lines stays one line of the log.
    for (char c : text) {
        if (c == '\n')
            line += " | ";
        else
            line += platform::isControlByte(c) ? ' ' : c;
    }
    line += "\r\n";
    if (appendTo(path_, line)) return true;
    if (fallbackPath_.empty() || !appendTo(fallbackPath_, line)) return false;
    path_ = fallbackPath_;
    return true;
}

bool DeliveryLog::appendTo(const std::string& path, const std::string& line) {
    if (const auto size = files_.fileSize(path); size && *size + line.size() > kLogLimit) {
        const std::string old = oldLogOf(path);
        files_.removeFile(old);
        files_.renameFile(path, old);
    }
    return files_.appendFile(path, line);
}

std::string logDelivery(WriterContext& c, std::string_view text) {
    DeliveryLog log(c.files, c.clock, c.programFolder, c.waitingFolder);
    return log.write(text) ? log.path() : std::string();
}

}  // namespace kelmar::qdas
