#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "platform/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelmar::platform {

char pathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    bool folderEnds = !path.empty() && (path.back() == pathSeparator() || path.back() == '/');
    bool nameStarts = !name.empty() && (name.front() == pathSeparator() || name.front() == '/');
    if (folderEnds && nameStarts) name.remove_prefix(1);
    else if (!folderEnds && !nameStarts && !path.empty()) path += pathSeparator();
    path += name;
    return path;
}

std::string nativeSeparators(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\\') c = pathSeparator();
    return out;
}

std::string programFolder(const char* argv0) {
    if (const char* home = std::getenv("KELMAR_HOME"); home && *home) {
        std::string folder(home);
        while (folder.size() > 1 && (folder.back() == '/' || folder.back() == pathSeparator())) folder.pop_back();
        return folder;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
#ifdef _WIN32
    // The module's own file name; a path longer than the buffer falls back to argv0.
    wchar_t self[32768];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    if (length > 0 && length < std::size(self)) return corePath(fs::path(std::wstring(self, length)).parent_path());
#else
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self.parent_path().string();
    ec.clear();
#endif
    if (argv0 && *argv0) {
        fs::path exe = fs::absolute(argv0, ec);
        if (!ec) return exe.parent_path().string();
    }
    return fs::current_path(ec).string();
}

std::string safeNamePart(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        bool unsafe = c == '/' || c == '\\' || c == '\0';
#ifdef _WIN32
        unsafe = unsafe || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
#endif
        if (unsafe) c = '_';
    }
    // "." and ".." would name a folder other than the one meant.
    if (!out.empty() && out.find_first_not_of('.') == std::string::npos) out.assign(out.size(), '_');
    return out;
}

}  // namespace kelmar::platform

namespace kelmar::platform {

std::string settingsFilePath(const std::string& programFolder) {
    if (const char* path = std::getenv("KELMAR_SETTINGS"); path && *path) return path;
    return joinPath(programFolder, "settings.ini");
}

}  // namespace kelmar::platform
