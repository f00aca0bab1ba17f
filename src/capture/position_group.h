#pragma once
// The steps that make coordinate axes and their closing value one position
// group: group numbers for the Q-DAS position calculation and halved tolerances.

#include "capture/capture_context.h"
#include "capture/run_data.h"

namespace kelmar::capture {

// Runs after a position-axis record of the given kind was appended as the last
// Characteristic: coordinate axes join the open group, kind 1209 closes it.
void applyPositionGroupSteps(CaptureContext& context, Characteristic& appended, int kind, double plusTol);

}  // namespace kelmar::capture
