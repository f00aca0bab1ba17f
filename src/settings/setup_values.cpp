#include "settings/setup_values.h"

#include <array>

namespace kelmar::settings::setup {
namespace {

constexpr std::array kLoadOrder{DRIVE,         DIR,          FileName1,   FileName2,    FileName3,  FileName4,
                                FileName5,     SEPERATOR,    FileCounter, SelectFolder, MultiLine,  PartProgFolder,
                                DFD,           DFQ,          UseCFG,      UseQPos,      UseFolders, DefaultFolder,
                                Attribute255,  Attribute256, AxisLetter,  QDV,          Minimize,   StatCmds,
                                FileNameRule0, FileNameRule1};

constexpr std::array kSaveOrder{DRIVE,         DIR,          PartProgFolder, FileName1,   FileName2,    FileName3,
                                FileName4,     FileName5,    SEPERATOR,      FileCounter, SelectFolder, MultiLine,
                                DFD,           DFQ,          UseCFG,         UseQPos,     UseFolders,   DefaultFolder,
                                Attribute255,  Attribute256, AxisLetter,     QDV,         Minimize,     StatCmds,
                                FileNameRule0, FileNameRule1};

constexpr std::array kFileOrder{DRIVE,        DIR,          PartProgFolder, FileName1,   FileName2,    FileName3,
                                FileName4,    FileName5,    SEPERATOR,      FileCounter, SelectFolder, MultiLine,
                                DFD,          DFQ,          UseCFG,         UseQPos,     UseFolders,   DefaultFolder,
                                Attribute255, Attribute256, AxisLetter,     QDV,         Minimize,     FileNameRule0,
                                FileNameRule1};

}  // namespace

std::span<const ControlInfo> loadOrder() { return kLoadOrder; }
std::span<const ControlInfo> saveOrder() { return kSaveOrder; }
std::span<const ControlInfo> fileOrder() { return kFileOrder; }

}  // namespace kelmar::settings::setup

namespace kelmar::settings {

void LoadSetupFromSettings(const SettingsStore& store, ControlValues& controls) {
    loadControls(store, setup::loadOrder(), controls);
}

void SaveSetupToSettings(SettingsStore& store, const ControlValues& controls) {
    saveControls(store, setup::saveOrder(), controls);
}

}  // namespace kelmar::settings
