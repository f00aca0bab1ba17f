#pragma once
// The dialogs the main window's "Preferences" menu opens.

#include "dialogs/dialog_support.h"
#include "shell/main_window_view.h"

#include <string>

namespace kelmar::dialogs {

// The dialog of a menu entry ("menuSetup", "menuMonitor", "menuQdasSettings", "menuQdasKeySetup"),
// built but not yet shown (its open() shows it and hides the main window); null for any other name.
DialogBase* createSetupDialog(const std::string& menuName, shell::KelmarProcess& process, shell::MainWindowView& mainWindow);

}  // namespace kelmar::dialogs
