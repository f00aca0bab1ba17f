#pragma once
// Value names of the settings store.

namespace kelmar::settings::names {

inline constexpr const char* Language = "Language";
inline constexpr const char* CatalogPathName = "CatalogPathName";
inline constexpr const char* ValueFilePath = "ValueFilePath";
inline constexpr const char* DimensionNumber = "DimensionNumber";
inline constexpr const char* DimensionName = "DimensionName";
inline constexpr const char* SelectFolder = "SelectFolder";
inline constexpr const char* PartProgFolder = "PartProgFolder";
inline constexpr const char* DefaultFolder = "DefaultFolder";
inline constexpr const char* DRIVE = "DRIVE";
inline constexpr const char* DIR = "DIR";
inline constexpr const char* LastSelectedPath = "LastSelectedPath";
inline constexpr const char* FileName1 = "FileName1";
inline constexpr const char* FileName2 = "FileName2";
inline constexpr const char* FileName3 = "FileName3";
inline constexpr const char* FileName4 = "FileName4";
inline constexpr const char* FileName5 = "FileName5";
inline constexpr const char* SEPERATOR = "SEPERATOR";
inline constexpr const char* FileCounter = "FileCounter";
inline constexpr const char* FileNameRule0 = "FileNameRule0";
inline constexpr const char* FileNameRule1 = "FileNameRule1";
inline constexpr const char* DFD = "DFD";
inline constexpr const char* DFQ = "DFQ";
inline constexpr const char* MultiLine = "MultiLine";
inline constexpr const char* UseCFG = "UseCFG";
inline constexpr const char* UseQPos = "UseQPos";
inline constexpr const char* UseFolders = "UseFolders";
inline constexpr const char* Attribute255 = "Attribute255";
inline constexpr const char* Attribute256 = "Attribute256";
inline constexpr const char* AxisLetter = "AxisLetter";
inline constexpr const char* QDV = "QDV";
inline constexpr const char* Minimize = "Minimize";
inline constexpr const char* StatCmds = "StatCmds";
inline constexpr const char* MONITOR = "MONITOR";
inline constexpr const char* DRIVE_MONITOR = "DRIVE_MONITOR";
inline constexpr const char* DIR_MONITOR = "DIR_MONITOR";

// The user's label texts of K-fields: "TXT" followed by the key.
inline constexpr const char* kFieldTextPrefix = "TXT";
// The offered K-fields lie one level deeper.
inline constexpr const char* kKFieldsSubKey = "K_Fields_Settings\\";

// The host's own option, read through the host, never from our store.
inline constexpr const char* DimensionDecimalPlaces = "DimensionDecimalPlaces";

}  // namespace kelmar::settings::names
