#pragma once
// The values of the output-file setup dialog: which control stands for which
// setting, and the orders in which the dialog loads and saves them.

#include "settings/control_values.h"
#include "settings/setting_names.h"

#include <span>

namespace kelmar::settings::setup {

// Entries of the name lists and of the separator list.
inline constexpr int kFirstNameEntries = 6;
inline constexpr int kNameEntries = 7;
inline constexpr int kSeparatorEntries = 6;

inline constexpr ControlInfo DRIVE{names::DRIVE, ControlKind::Text};
inline constexpr ControlInfo DIR{names::DIR, ControlKind::Text};
inline constexpr ControlInfo PartProgFolder{names::PartProgFolder, ControlKind::Option};
inline constexpr ControlInfo FileName1{names::FileName1, ControlKind::Position, kFirstNameEntries};
inline constexpr ControlInfo FileName2{names::FileName2, ControlKind::Position, kNameEntries};
inline constexpr ControlInfo FileName3{names::FileName3, ControlKind::Position, kNameEntries};
inline constexpr ControlInfo FileName4{names::FileName4, ControlKind::Position, kNameEntries};
inline constexpr ControlInfo FileName5{names::FileName5, ControlKind::Position, kNameEntries};
inline constexpr ControlInfo SEPERATOR{names::SEPERATOR, ControlKind::Position, kSeparatorEntries};
inline constexpr ControlInfo FileCounter{names::FileCounter, ControlKind::Check};
inline constexpr ControlInfo SelectFolder{names::SelectFolder, ControlKind::Option};
inline constexpr ControlInfo MultiLine{names::MultiLine, ControlKind::Check};
inline constexpr ControlInfo DFD{names::DFD, ControlKind::Option};
inline constexpr ControlInfo DFQ{names::DFQ, ControlKind::Option};
inline constexpr ControlInfo UseCFG{names::UseCFG, ControlKind::Check};
inline constexpr ControlInfo UseQPos{names::UseQPos, ControlKind::Check};
inline constexpr ControlInfo UseFolders{names::UseFolders, ControlKind::Check};
inline constexpr ControlInfo DefaultFolder{names::DefaultFolder, ControlKind::Option};
inline constexpr ControlInfo Attribute255{names::Attribute255, ControlKind::Option};
inline constexpr ControlInfo Attribute256{names::Attribute256, ControlKind::Option};
inline constexpr ControlInfo AxisLetter{names::AxisLetter, ControlKind::Check};
inline constexpr ControlInfo QDV{names::QDV, ControlKind::Check};
inline constexpr ControlInfo Minimize{names::Minimize, ControlKind::Check};
inline constexpr ControlInfo StatCmds{names::StatCmds, ControlKind::Check};
inline constexpr ControlInfo FileNameRule0{names::FileNameRule0, ControlKind::Option};
inline constexpr ControlInfo FileNameRule1{names::FileNameRule1, ControlKind::Option};

// The order LoadSetupFromSettings reads in (PartProgFolder after MultiLine).
std::span<const ControlInfo> loadOrder();
// The order SaveSetupToSettings writes in.
std::span<const ControlInfo> saveOrder();
// The 25 lines of the settings file: the save order without StatCmds.
std::span<const ControlInfo> fileOrder();

}  // namespace kelmar::settings::setup

namespace kelmar::settings {

// Fills the setup controls from the store; a value that cannot be read leaves its control as it is.
void LoadSetupFromSettings(const SettingsStore& store, ControlValues& controls);
// Writes every setup control to the store.
void SaveSetupToSettings(SettingsStore& store, const ControlValues& controls);

}  // namespace kelmar::settings
