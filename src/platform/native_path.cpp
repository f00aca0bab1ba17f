#include "platform/native_path.h"

#include "platform/code_page.h"

namespace kelmar::platform {

#ifdef _WIN32

// wchar_t is one UTF-16 unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

// Past this length the system refuses a path unless it is given as "\\?\..." (folders
// already at 248); a measurement deep in a plant's folder tree must still be written.
constexpr std::size_t kLongestPlainPath = 247;

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "\\?\C:\..." or "\\?\UNC\server\share\..." for a long absolute path; others as they are.
std::wstring withLongPathPrefix(std::wstring path) {
    if (path.size() <= kLongestPlainPath || path.starts_with(L"\\\\?\\")) return path;
    const bool drive = path.size() > 2 && path[1] == L':' && isSeparator(path[2]);
    const bool share = path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] != L'?';
    if (!drive && !share) return path;
    // The prefix turns off the system's own clean-up of the path: every "/" must be a backslash.
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return share ? L"\\\\?\\UNC" + path.substr(1) : L"\\\\?\\" + path;
}

}  // namespace

std::filesystem::path nativePath(const std::string& path) {
    const std::u16string wide = toUtf16(path, installationCodePage());
    return std::filesystem::path(withLongPathPrefix(std::wstring(wide.begin(), wide.end())));
}

std::string corePath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    return fromUtf16(std::u16string(wide.begin(), wide.end()), installationCodePage());
}

std::FILE* openFile(const std::string& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(nativePath(path).c_str(), wideMode.c_str());
}

#else

std::filesystem::path nativePath(const std::string& path) { return path; }

std::string corePath(const std::filesystem::path& path) { return path.string(); }

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

#endif

}  // namespace kelmar::platform
