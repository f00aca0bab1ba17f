#include "platform/paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <vector>

#include "platform/native_path.h"
#include "platform/text.h"

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
        bool unsafe = c == '/' || c == '\\' || isControlByte(c);
#ifdef _WIN32
        unsafe = unsafe || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
#endif
        if (unsafe) c = '_';
    }
    // "." and ".." would name a folder other than the one meant.
    if (!out.empty() && out.find_first_not_of('.') == std::string::npos) out.assign(out.size(), '_');
    return out;
}

std::string userWaitingFolder() {
#ifdef _WIN32
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    if (!local || !*local) return {};
    return joinPath(joinPath(corePath(std::filesystem::path(local)), "Kelmar"), "Waiting");
#else
    std::string base;
    // A relative XDG_DATA_HOME is to be ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = joinPath(joinPath(home, ".local"), "share");
    else
        return {};
    return joinPath(joinPath(base, "kelmar"), "waiting");
#endif
}

bool fitNameParts(std::span<std::string* const> parts, std::size_t fixedBytes, std::size_t limit) {
    std::size_t total = fixedBytes;
    for (const std::string* part : parts) total += part->size();
    if (total <= limit) return false;
    const std::size_t room = fixedBytes < limit ? limit - fixedBytes : 0;
    // The largest cap that every part can be cut to while all still fit.
    std::vector<std::size_t> sizes;
    for (const std::string* part : parts) sizes.push_back(part->size());
    std::sort(sizes.begin(), sizes.end());
    std::size_t cap = 0, below = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::size_t longer = sizes.size() - i;  // parts from here on are at least sizes[i]
        if (below + sizes[i] * longer > room) {
            cap = (room - below) / longer;
            break;
        }
        below += sizes[i];
        cap = sizes[i];
    }
    for (std::string* part : parts)
        if (part->size() > cap) part->resize(cap);
    return true;
}

std::string safeJoinedName(std::string_view prefix, std::initializer_list<std::string_view> texts,
                           std::string_view separator, std::string_view suffix, std::size_t reserve) {
    std::vector<std::string> parts;
    std::vector<std::string*> cut;
    parts.reserve(texts.size());
    for (std::string_view text : texts) cut.push_back(&parts.emplace_back(safeNamePart(text)));
    const std::size_t separators = texts.size() > 0 ? separator.size() * (texts.size() - 1) : 0;
    fitNameParts(cut, prefix.size() + separators + suffix.size() + reserve);
    std::string name(prefix);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) name += separator;
        name += parts[i];
    }
    return name += suffix;
}

}  // namespace kelmar::platform

namespace kelmar::platform {

std::string settingsFilePath(const std::string& programFolder) {
    if (const char* path = std::getenv("KELMAR_SETTINGS"); path && *path) return path;
    return joinPath(programFolder, "settings.ini");
}

}  // namespace kelmar::platform
