#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace kelmar::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device random;
    fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / ("kelmar-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

// In the platform's separators, as the code under test composes its paths.
std::string TempFolder::file(const std::string& name) const {
    return (fs::path(path_) / name).make_preferred().string();
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    fs::path target = fs::path(path_) / name;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << content;
    return target.string();
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(fs::path(path_) / name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempFolder::exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

void TempFolder::makeFolder(const std::string& name) const { fs::create_directories(fs::path(path_) / name); }

std::string sourceDir() {
    const char* dir = std::getenv("KELMAR_SOURCE_DIR");
    return dir ? dir : ".";
}

std::string buildDir() {
    const char* dir = std::getenv("KELMAR_BUILD_DIR");
    return dir ? dir : ".";
}

void copyResources(const TempFolder& folder) {
    fs::copy(fs::path(sourceDir()) / "resources", folder.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace kelmar::test
