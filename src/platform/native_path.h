#pragma once
// Paths of the core are bytes of the installation's code page. The system's file
// calls take them as wide texts on Windows, converted with the project's own tables.

#include <cstdio>
#include <filesystem>
#include <string>

namespace kelmar::platform {

// A core path as the system's file calls take it.
std::filesystem::path nativePath(const std::string& path);

// A path or name from the system back in the core's bytes.
std::string corePath(const std::filesystem::path& path);

// fopen for a core path; null when it cannot be opened.
std::FILE* openFile(const std::string& path, const char* mode);

}  // namespace kelmar::platform
