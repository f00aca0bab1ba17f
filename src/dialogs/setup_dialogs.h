#pragma once
// The dialogs the main window's "Preferences" menu opens.

#include "app/frm_main_window.h"
#include "dialogs/dialog_support.h"

#include <string>

namespace kelmar::dialogs {

// The dialog of a menu entry ("menuSetup", "menuMonitor", "menuQdasSettings", "menuQdasKeySetup"),
// built but not yet shown (its open() shows it and hides the main window); null for any other name.
DialogBase* createSetupDialog(const std::string& menuName, app::KelmarProcess& process, app::frmMainWindow& mainWindow);

}  // namespace kelmar::dialogs
