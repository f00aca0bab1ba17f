#pragma once
// Paths the system composes: the program folder and its sub-folders, joined
// with the platform's separator, and name parts made safe for file names.

#include <cstddef>
#include <initializer_list>
#include <span>
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
// path separators, control bytes (and on Windows <>:"|?*) become "_".
std::string safeNamePart(std::string_view text);

// The user's own folder where a measurement waits that no other folder would take:
// $XDG_DATA_HOME/kelmar/waiting (~/.local/share/kelmar/waiting), on Windows
// %LOCALAPPDATA%\Kelmar\Waiting; empty when the system names no such place.
std::string userWaitingFolder();

// The longest file or folder name, in bytes, that the file systems we write to all take.
inline constexpr std::size_t kLongestName = 255;

// Cuts the longest of the parts, each as little as possible, until the parts and
// fixedBytes together fit in limit; short parts stay whole. True when any was cut.
bool fitNameParts(std::span<std::string* const> parts, std::size_t fixedBytes, std::size_t limit = kLongestName);

// prefix, the texts made safe and joined by separator, then suffix; the texts cut as
// fitNameParts does, so the whole and reserve bytes more are one name the file system takes.
std::string safeJoinedName(std::string_view prefix, std::initializer_list<std::string_view> texts,
                           std::string_view separator, std::string_view suffix, std::size_t reserve = 0);

}  // namespace kelmar::platform

namespace kelmar::platform {

// $KELMAR_SETTINGS when set and not empty, else <program folder>/settings.ini.
std::string settingsFilePath(const std::string& programFolder);

}  // namespace kelmar::platform
