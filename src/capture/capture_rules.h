#pragma once
// The rule set online capture and the offline import share: what one host
// command does to the run, from the group end to the trace fields.

#include <memory>

#include "capture/capture_context.h"
#include "host/host_interface.h"

namespace kelmar::capture {

// Applies the shared capture steps to one command: group end, dimension, kind 184,
// comment, decimal places, trace field. False when a host call failed; the
// command then stored nothing. prepare is the command collection offline, null online.
bool applyCaptureRules(CaptureContext& context, host::Command& command, host::Commands* prepare,
                       const CaptureMode& mode);

// Switches capture on or off and shows text in status panel 2.
void setCaptureSwitch(CaptureContext& context, bool on, settings::Text panelText);

// Starts the end of run, when the program gave one.
void startEndOfRun(CaptureContext& context);

// An object a host member handed out; none at all counts as a failed host call.
template <class T>
std::shared_ptr<T> requiredObject(std::shared_ptr<T> object) {
    if (!object) throw host::HostError("the host handed out no object");
    return object;
}

}  // namespace kelmar::capture
