#pragma once
// Dimension commands and kind-184 commands turned into Characteristics:
// single values, group starts, location and position axes with the
// position-group steps. Inside the capture module only: host reads that fail
// throw host::HostError, and nothing of the command is stored then.

#include "capture/capture_context.h"
#include "host/host_interface.h"

namespace kelmar::capture {

// A dimension command of the given kind (not 1299). prepare, when given, is asked
// to prepare the command before its dimension is read.
void captureDimension(CaptureContext& context, const CaptureMode& mode, host::Command& command, int kind,
                      host::Commands* prepare);

// A command carrying typed fields (kind 184) instead of a dimension.
void captureKind184(CaptureContext& context, const CaptureMode& mode, host::Command& command);

}  // namespace kelmar::capture
