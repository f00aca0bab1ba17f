#include "platform/file_system.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/disk_file_system.h"
#include "platform/native_path.h"

namespace kelmar::platform {
namespace {

namespace fs = std::filesystem;

bool writeWith(const std::string& path, const std::string& data, const char* mode) {
    std::FILE* file = openFile(path, mode);
    if (!file) return false;
    bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size();
    bool flushed = std::fflush(file) == 0;
    bool closed = std::fclose(file) == 0;
    return written && flushed && closed;
}

}  // namespace

std::optional<std::string> DiskFileSystem::readFile(const std::string& path) {
    return readFileUpTo(path, static_cast<std::size_t>(-1));
}

std::optional<std::string> DiskFileSystem::readFileUpTo(const std::string& path, std::size_t maxBytes) {
    KeepSystemError keep;
    // The size is asked first, so a huge or sparse file is refused before any of it is read.
    const auto size = fileSize(path);
    if (!size || *size > maxBytes) return std::nullopt;
    std::FILE* file = openFile(path, "rb");
    if (!file) return std::nullopt;
    std::string data;
    data.reserve(static_cast<std::size_t>(*size));
    char buffer[1 << 16];
    size_t got;
    bool tooLarge = false;
    while (!tooLarge && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        tooLarge = got > maxBytes - data.size();  // the file grew while it was read
        if (!tooLarge) data.append(buffer, got);
    }
    bool failed = std::ferror(file) != 0 || tooLarge;
    std::fclose(file);
    if (failed) return std::nullopt;
    return data;
}

std::optional<std::uintmax_t> DiskFileSystem::fileSize(const std::string& path) {
    KeepSystemError keep;
    std::error_code ec;
    const fs::path file = nativePath(path);
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    const auto size = fs::file_size(file, ec);
    if (ec) return std::nullopt;
    return size;
}

bool DiskFileSystem::writeFile(const std::string& path, const std::string& data) { return writeWith(path, data, "wb"); }

bool DiskFileSystem::appendFile(const std::string& path, const std::string& data) {
    return writeWith(path, data, "ab");
}

bool DiskFileSystem::removeFile(const std::string& path) {
    std::error_code ec;
    const fs::path file = nativePath(path);
    return fs::is_regular_file(file, ec) && fs::remove(file, ec);
}

bool DiskFileSystem::fileExists(const std::string& path) {
    KeepSystemError keep;
    std::error_code ec;
    return fs::is_regular_file(nativePath(path), ec);
}

bool DiskFileSystem::folderExists(const std::string& path) {
    KeepSystemError keep;
    std::error_code ec;
    return !path.empty() && fs::is_directory(nativePath(path), ec);
}

bool DiskFileSystem::createFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::create_directory(nativePath(path), ec) && !ec;
}

std::vector<std::string> DiskFileSystem::listFiles(const std::string& folder) {
    KeepSystemError keep;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(nativePath(folder), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) names.push_back(corePath(it->path().filename()));
    return names;
}
std::string DiskFileSystem::processTag() {
    static const long long started =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    static std::atomic<unsigned> sequence{0};
    char tag[64];
    std::snprintf(tag, sizeof tag, "%lu-%llx-%u", currentProcessId(), started, ++sequence);
    return tag;
}

namespace {
std::atomic<std::uint64_t> deviceFlushes{0};
}

std::uint64_t deviceFlushCount() { return deviceFlushes; }

void countDeviceFlush() { ++deviceFlushes; }

unsigned long DiskFileSystem::processId() { return currentProcessId(); }

std::unique_ptr<FileSystem> makeDiskFileSystem() { return std::make_unique<DiskFileSystem>(); }

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(text, start, i - start);
        if (c == '\r' && i + 1 < size && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < size) lines.emplace_back(text, start, size - start);
    return lines;
}

}  // namespace kelmar::platform
