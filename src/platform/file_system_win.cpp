// The disk operations that need the system's own calls, on Windows: copies and
// renames that never replace by accident, exclusive creation without following
// reparse points, flushing to the device, locks, tail reads. Wide paths throughout.

#include <windows.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "platform/background_flush.h"
#include "platform/disk_file_system.h"
#include "platform/native_path.h"

namespace kelmar::platform {
namespace {

std::wstring wide(const std::string& path) { return nativePath(path).native(); }

// Closes a handle once, whatever way the scope is left.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE release() {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    bool close() {
        if (!valid()) return true;
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// FILE_FLAG_OPEN_REPARSE_POINT opens a symlink itself, never what it points to.
HANDLE openExisting(const std::wstring& path, DWORD access) {
    return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

HANDLE createNew(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// A plain file: neither a folder nor a reparse point (symlink, junction).
bool isPlainFile(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) return false;
    return (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

bool writeAll(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

// Flushes and closes a new file; removes it when anything before failed or fails now.
bool finishNewFile(Handle& file, const std::wstring& path, bool written) {
    const bool whole = written && ::FlushFileBuffers(file.get()) != 0;
    if (whole) countDeviceFlush();
    const bool closed = file.close();
    if (whole && closed) return true;
    ::DeleteFileW(path.c_str());
    return false;
}

class HandleNewFile final : public PartwiseNewFile {
public:
    HandleNewFile(HANDLE handle, std::wstring path) : file_(handle), path_(std::move(path)) {}
    ~HandleNewFile() override { dropUnlessFinished(); }

private:
    bool write(std::string_view data) override { return writeAll(file_.get(), data.data(), data.size()); }
    bool flush() override { return ::FlushFileBuffers(file_.get()) != 0; }
    bool close(bool whole) override { return finishNewFile(file_, path_, whole); }
    void remove() override {
        file_.close();
        ::DeleteFileW(path_.c_str());
    }

    Handle file_;
    std::wstring path_;
};

class HandleLock final : public FileLock {
public:
    explicit HandleLock(HANDLE handle) : handle_(handle) {}
    // Closing the handle releases its lock.
    ~HandleLock() override { ::CloseHandle(handle_); }

private:
    HANDLE handle_;
};

}  // namespace

bool DiskFileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    return ::CopyFileW(wide(from).c_str(), wide(to).c_str(), overwrite ? FALSE : TRUE) != 0;
}

bool DiskFileSystem::renameFile(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING an existing target is refused by the system itself.
    return ::MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool DiskFileSystem::writeNewFile(const std::string& path, const std::string& data) {
    const std::wstring target = wide(path);
    Handle file(createNew(target));
    if (!file.valid()) return false;
    return finishNewFile(file, target, writeAll(file.get(), data.data(), data.size()));
}

std::unique_ptr<NewFile> DiskFileSystem::createNewFile(const std::string& path) {
    std::wstring target = wide(path);
    Handle file(createNew(target));
    if (!file.valid()) return nullptr;
    return std::make_unique<HandleNewFile>(file.release(), std::move(target));
}

bool DiskFileSystem::copyToNewFile(const std::string& from, const std::string& to) {
    Handle source(openExisting(wide(from), GENERIC_READ));
    if (!source.valid() || !isPlainFile(source.get())) return false;
    const std::wstring path = wide(to);
    Handle target(createNew(path));
    if (!target.valid()) return false;
    char buffer[1 << 16];
    bool copied = true;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(source.get(), buffer, sizeof buffer, &got, nullptr)) {
            copied = false;
            break;
        }
        if (got == 0) break;
        if (!writeAll(target.get(), buffer, got)) {
            copied = false;
            break;
        }
    }
    return finishNewFile(target, path, copied);
}

bool DiskFileSystem::flushFolder(const std::string& folder) {
    Handle handle(::CreateFileW(wide(folder.empty() ? "." : folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.valid()) return false;
    // Renames are written through already; a file system that cannot flush a folder has nothing left to flush.
    ::FlushFileBuffers(handle.get());
    countDeviceFlush();
    return true;
}

std::unique_ptr<FileLock> DiskFileSystem::lockFile(const std::string& path, int waitMilliseconds) {
    Handle file(::CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid() || !isPlainFile(file.get())) return nullptr;
    // The lock belongs to the handle, so two holders in one process exclude each other too.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        OVERLAPPED whole{};
        if (::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                         &whole))
            return std::make_unique<HandleLock>(file.release());
        if (::GetLastError() != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

std::optional<std::string> DiskFileSystem::readTail(const std::string& path, std::size_t maxBytes) {
    KeepSystemError keep;
    Handle file(::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !isPlainFile(file.get()) || !::GetFileSizeEx(file.get(), &size)) return std::nullopt;
    const auto total = static_cast<std::size_t>(size.QuadPart);
    const std::size_t length = total < maxBytes ? total : maxBytes;
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(total - length);
    if (!::SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return std::nullopt;
    std::string tail(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const std::size_t left = length - done;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!::ReadFile(file.get(), tail.data() + done, chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    tail.resize(done);
    return tail;
}

KeepSystemError::KeepSystemError() : errno_(errno), lastError_(::GetLastError()) {}

KeepSystemError::~KeepSystemError() {
    errno = errno_;
    ::SetLastError(static_cast<DWORD>(lastError_));
}

unsigned long currentProcessId() { return ::GetCurrentProcessId(); }

std::string DiskFileSystem::lastErrorText() {
    const DWORD code = ::GetLastError();
    char text[512] = {};
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                          text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

bool DiskFileSystem::processRunning(unsigned long id) {
    KeepSystemError keep;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    // Refused means it exists under another user.
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
    Handle owned(process);
    DWORD code = 0;
    return ::GetExitCodeProcess(owned.get(), &code) && code == STILL_ACTIVE;
}

}  // namespace kelmar::platform
