#pragma once
// The name of a run's output file, and the two folder operations of the writer.

#include <array>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "qdas/clock.h"

namespace kelmar::qdas {

// The naming settings: FileName1..FileName5 (FileName[0] is FileName1) and SEPERATOR.
struct FileNameCodes {
    std::array<int, 5> FileName{};
    int SEPERATOR = 0;
};

// FileNameRule0: true is the application rule, false the GM file name rule.
enum class FileNameRule { Application, GM };

// What the name parts are taken from.
struct FileNameSources {
    std::string partName;        // caption of lblOrvPartName
    std::string serialNumber;    // caption of lblOrvSerNumber
    std::string revisionNumber;  // caption of lblOrvRevNumber
    std::string fileNameText;    // FileNameText of the run
    DateTime now;
};

// Bytes kept free in every output name for the "_2" ... "_9999" that a taken name gets.
inline constexpr std::size_t kTakenNameSuffixBytes = 5;

// The file name with "." and extension. Host and part-program texts are made safe
// as name parts, so the file always lands in the folder it is written to; parts too
// long for a file name are cut (shortened then tells so), the counter never.
std::string BuildOutputFileName(const FileNameCodes& codes, const std::string& counter, const std::string& extension,
                                FileNameRule rule, const FileNameSources& sources, bool* shortened = nullptr);

// The text of a SEPERATOR code: "__", "_", "---", "--", "-", else "___".
std::string_view separatorText(int code);

// Whether the folder exists.
bool FolderExists(platform::FileSystem& files, const std::string& path);
// Creates one folder level (the parent must exist); true when it was made.
bool CreateFolder(platform::FileSystem& files, const std::string& path);

// folder + separator + name as the system composes it: an empty folder gives an
// empty path, never one at the root or below the working folder.
std::string inFolder(std::string_view folder, std::string_view name);

}  // namespace kelmar::qdas
