#pragma once
// Online capture: the handler of the host's OnObjectExecuted event.

#include "capture/capture_context.h"
#include "host/host_interface.h"

namespace kelmar::capture {

// Handles one executed command of the attached part program; never throws. A host
// call that fails ends the handling of the event, with nothing of the command stored.
void OnObjectExecuted(CaptureContext& context, host::PartProgram& partProgram, host::Command& command);

}  // namespace kelmar::capture
