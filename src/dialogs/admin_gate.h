#pragma once
// The administrator gate of the dialogs that change installation-wide settings.

#include "shell/kelmar_process.h"

namespace kelmar::dialogs {

// Whether the host says its current user has administrator rights. Without an answer
// (no host, or the call fails) the user is told "No Administrator Privilegs." and false
// is returned, so nothing is stored.
bool adminGate(shell::KelmarProcess& process);

}  // namespace kelmar::dialogs
