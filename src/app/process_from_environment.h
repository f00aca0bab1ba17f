#pragma once
// Builds the one process object from the environment: the composition root of the program.

#include "shell/kelmar_process.h"

#include <memory>

namespace kelmar::app {

// Program folder, settings file, code page, ORVELAN_SIM and KELMAR_UNATTENDED decide the parts.
// poster queues a call on the event loop.
std::unique_ptr<shell::KelmarProcess> makeProcessFromEnvironment(int argc, char** argv, host::sim::Poster poster);

}  // namespace kelmar::app
