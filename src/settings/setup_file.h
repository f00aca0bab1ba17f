#pragma once
// OutputFile_Settings.cfg: the setup dialog's controls carried to another machine.
// 25 lines in the quoted list format; files of earlier versions end after line 20.

#include "platform/file_system.h"
#include "settings/control_values.h"

#include <optional>
#include <string>
#include <vector>

namespace kelmar::settings {

inline constexpr size_t kSetupFileLines = 25;
// Lines 21 to 25 came later: a file may end before them.
inline constexpr size_t kSetupRequiredLines = 20;

// The SetupSettingsFile: the program folder followed by "\OutputFile_Settings.cfg".
std::string setupSettingsFilePath(const std::string& programFolder);

// The 25 lines of the file, from the current state of the controls.
std::string formatSetupFile(const ControlValues& controls);

// The values of a file in line order; an optional line that cannot be read gives nothing.
// Nothing at all when one of lines 1 to 20 is missing or does not convert to its control.
std::optional<std::vector<std::optional<ControlValue>>> parseSetupFile(const std::string& content);

// The value of one line for its control; nothing when the text does not convert.
std::optional<ControlValue> setupFieldValue(const ControlInfo& control, const std::string& field);

// Writes the file from the controls; false when it could not be written.
bool ExportSetupFile(platform::FileSystem& files, const std::string& path, const ControlValues& controls);

// Reads the file into the controls in line order. False, with no control changed,
// when the file is missing or one of lines 1 to 20 cannot be read.
bool ImportSetupFile(platform::FileSystem& files, const std::string& path, ControlValues& controls);

}  // namespace kelmar::settings
