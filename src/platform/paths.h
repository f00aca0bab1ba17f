#pragma once
// Paths the system composes: the program folder and its sub-folders, joined
// with the platform's separator, and name parts made safe for file names.

#include <string>
#include <string_view>

namespace kelmar::platform {

// "\" on Windows, "/" elsewhere.
char pathSeparator();

// folder + separator + name; a folder that already ends in a separator is not doubled.
std::string joinPath(std::string_view folder, std::string_view name);

// Rewrites the "\" of a system path text ("\Languages\resource.dll") into the platform separator.
std::string nativeSeparators(std::string_view text);

// $KELMAR_HOME when set and not empty, else the folder of the running executable
// (argv0 is the fallback where the executable's path cannot be asked for).
std::string programFolder(const char* argv0);

// A host or part-program text made safe as one part of a file or folder name:
// path separators (and on Windows <>:"|?*) become "_".
std::string safeNamePart(std::string_view text);

}  // namespace kelmar::platform

namespace kelmar::platform {

// $KELMAR_SETTINGS when set and not empty, else <program folder>/settings.ini.
std::string settingsFilePath(const std::string& programFolder);

}  // namespace kelmar::platform
