// The disk operations that need the system's own calls: exclusive creation
// without following symlinks, flushing to the device, locks, tail reads.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/background_flush.h"
#include "platform/disk_file_system.h"

namespace kelmar::platform {
namespace {

constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
constexpr mode_t kNewFileMode = 0644;

// Closes a descriptor once, whatever way the scope is left.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        if (fd_ < 0) return true;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Flushes and closes a new file; removes it when anything before failed or fails now.
bool finishNewFile(Descriptor& file, const std::string& path, bool written) {
    const bool whole = written && ::fsync(file.get()) == 0;
    if (whole) countDeviceFlush();
    const bool closed = file.close();
    if (whole && closed) return true;
    ::unlink(path.c_str());
    return false;
}

class DescriptorNewFile final : public PartwiseNewFile {
public:
    DescriptorNewFile(int fd, std::string path) : file_(fd), path_(std::move(path)) {}
    ~DescriptorNewFile() override { dropUnlessFinished(); }

private:
    bool write(std::string_view data) override { return writeAll(file_.get(), data.data(), data.size()); }
    bool flush() override { return ::fdatasync(file_.get()) == 0; }
    bool close(bool whole) override { return finishNewFile(file_, path_, whole); }
    void remove() override {
        file_.close();
        ::unlink(path_.c_str());
    }

    Descriptor file_;
    std::string path_;
};

class DescriptorLock final : public FileLock {
public:
    explicit DescriptorLock(int fd) : fd_(fd) {}
    ~DescriptorLock() override { ::close(fd_); }

private:
    int fd_;
};

}  // namespace

bool DiskFileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    namespace fs = std::filesystem;
    std::error_code ec;
    auto options = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
    return fs::copy_file(from, to, options, ec) && !ec;
}

bool DiskFileSystem::renameFile(const std::string& from, const std::string& to) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // A hard link refuses an existing target atomically; fall back where links are not offered.
    fs::create_hard_link(from, to, ec);
    if (!ec) {
        if (fs::remove(from, ec)) return true;
        // Not moved after all: the file must not stand under both names.
        std::error_code ignored;
        fs::remove(to, ignored);
        return false;
    }
    if (fs::exists(to, ec) || !fs::exists(from, ec)) return false;
    ec.clear();
    fs::rename(from, to, ec);
    return !ec;
}

bool DiskFileSystem::writeNewFile(const std::string& path, const std::string& data) {
    Descriptor file(::open(path.c_str(), kNewFileFlags, kNewFileMode));
    if (!file.valid()) return false;
    return finishNewFile(file, path, writeAll(file.get(), data.data(), data.size()));
}

std::unique_ptr<NewFile> DiskFileSystem::createNewFile(const std::string& path) {
    const int fd = ::open(path.c_str(), kNewFileFlags, kNewFileMode);
    if (fd < 0) return nullptr;
    return std::make_unique<DescriptorNewFile>(fd, path);
}

bool DiskFileSystem::copyToNewFile(const std::string& from, const std::string& to) {
    Descriptor source(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!source.valid() || ::fstat(source.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    Descriptor target(::open(to.c_str(), kNewFileFlags, kNewFileMode));
    if (!target.valid()) return false;
    char buffer[1 << 16];
    bool copied = true;
    for (;;) {
        ssize_t got = ::read(source.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        if (!writeAll(target.get(), buffer, static_cast<size_t>(got))) {
            copied = false;
            break;
        }
    }
    return finishNewFile(target, to, copied);
}

bool DiskFileSystem::flushFolder(const std::string& folder) {
    Descriptor handle(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.valid() || ::fsync(handle.get()) != 0) return false;
    countDeviceFlush();
    return true;
}

std::unique_ptr<FileLock> DiskFileSystem::lockFile(const std::string& path, int waitMilliseconds) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    if (fd < 0) return nullptr;
    // flock belongs to the open file, so two holders in one process exclude each other too.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<DescriptorLock>(fd);
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(fd);
    return nullptr;
}

std::optional<std::string> DiskFileSystem::readTail(const std::string& path, std::size_t maxBytes) {
    KeepSystemError keep;
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const auto size = static_cast<std::size_t>(info.st_size);
    const std::size_t length = size < maxBytes ? size : maxBytes;
    std::string tail(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        ssize_t got = ::pread(file.get(), tail.data() + done, length - done, static_cast<off_t>(size - length + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;  // the file shrank meanwhile
        done += static_cast<std::size_t>(got);
    }
    tail.resize(done);
    return tail;
}

KeepSystemError::KeepSystemError() : errno_(errno) {}

KeepSystemError::~KeepSystemError() { errno = errno_; }

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

std::string DiskFileSystem::lastErrorText() { return std::strerror(errno); }

bool DiskFileSystem::processRunning(unsigned long id) {
    KeepSystemError keep;
    const auto pid = static_cast<pid_t>(id);
    if (pid <= 0 || static_cast<unsigned long>(pid) != id) return false;
    // Signal 0 only asks; EPERM means it runs under another user.
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace kelmar::platform
