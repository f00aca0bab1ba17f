#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kelmar::fuzz {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    // The tag differs per call and per process, so the folder is ours once it is made (no mkdtemp on Windows).
    const fs::path folder = fs::temp_directory_path() / ("kelmar-fuzz-" + disk().processTag());
    std::error_code ec;
    if (!fs::create_directory(folder, ec)) propertyFailed("no scratch folder");
    path_ = folder.string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string ScratchFolder::file(std::string_view name) const { return (fs::path(path_) / name).string(); }

void ScratchFolder::write(std::string_view name, std::string_view content) const {
    const fs::path target = fs::path(path_) / name;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::ofstream(target, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

void ScratchFolder::clear() const {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(path_, ec)) fs::remove_all(entry.path(), ec);
}

platform::FileSystem& disk() {
    static const std::unique_ptr<platform::FileSystem> files = platform::makeDiskFileSystem();
    return *files;
}

const settings::LanguageTexts& englishTexts() {
    static const settings::LanguageTexts texts = [] {
        settings::LanguageTexts t;
        std::ifstream in(std::string(KELMAR_SOURCE_DIR) + "/resources/Languages/English.dll", std::ios::binary);
        std::string line;
        for (int n = 1; n <= settings::kLanguageLineCount && std::getline(in, line); ++n) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            t.lines[n] = line;
        }
        return t;
    }();
    return texts;
}

std::pair<std::string_view, std::string_view> splitAtNul(const std::uint8_t* data, std::size_t size) {
    std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = all.find('\0');
    if (nul == std::string_view::npos) return {all, {}};
    return {all.substr(0, nul), all.substr(nul + 1)};
}

void propertyFailed(const std::string& what) {
    std::fprintf(stderr, "property failed: %s\n", what.c_str());
    std::abort();
}

}  // namespace kelmar::fuzz
