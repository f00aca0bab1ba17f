#pragma once
// The built kelmar program run as a user runs it, in its own process, and what
// it leaves behind: for the end-to-end tests on every platform.

#include "support/temp_folder.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kelmar::test {

struct ProgramRun {
    int status = -1;
    std::string errors;
    std::string output;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs kelmar offscreen with home as its program folder and working folder;
// environment adds to that. Standard error and standard output are returned,
// with the line ends of Windows' text mode read as "\n".
ProgramRun runKelmarProgram(const TempFolder& home, std::vector<std::string> arguments, Environment environment);

// The arguments of an automatic run into folder, as a user types them (on Windows a slash starts the next one).
std::vector<std::string> automaticRunInto(const std::string& folder);

// The settings an installation has after its output-file setup, as an INI file.
std::string settingsFile(const std::string& home, const std::string& outputFolder, bool dfd);

// Settings lines (key=value) as the INI file that holds them: a backslash, as in a
// Windows path, is written twice there.
std::string iniFileText(const std::string& settings);

// The saved entries of the data entry form (CR LF lines), so the header and the
// value block carry part-level data; an automatic run confirms the form with them.
std::string savedDataEntries();

// Every file below folder, sorted.
std::vector<std::filesystem::path> filesIn(const std::string& folder);
std::string contentOf(const std::filesystem::path& file);

// The time of writing is the one value that differs between runs; its form is still checked.
std::string withTimeStampsMasked(const std::string& content);

}  // namespace kelmar::test
