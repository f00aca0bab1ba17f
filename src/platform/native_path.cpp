#include "platform/native_path.h"

#include "platform/code_page.h"

namespace kelmar::platform {

#ifdef _WIN32

// wchar_t is one UTF-16 unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::filesystem::path nativePath(const std::string& path) {
    const std::u16string wide = toUtf16(path, installationCodePage());
    return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
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
