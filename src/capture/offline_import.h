#pragma once
// Offline import: the Characteristics of the loaded part program, built
// without executing it, by the same rules as online capture.

#include "capture/capture_context.h"
#include "host/host_interface.h"

namespace kelmar::capture {

// Walks every command of the part program taken when the host was attached (not whatever
// the host shows now) and opens the data entry form. On a failed host call shows
// its error message and returns false; the caller then ends the program.
bool fctGetValuesOffline(CaptureContext& context, host::HostApplication& application,
                         const host::PartProgram& attachedProgram);

}  // namespace kelmar::capture
