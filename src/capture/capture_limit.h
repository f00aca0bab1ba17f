#pragma once
// The 16-bit limit of a run: what the user is told when capture has to refuse a value.

#include "capture/run_data.h"
#include "platform/messages.h"

namespace kelmar::capture {

inline constexpr const char* kLimitNotice =
    "The run already holds 32767 characteristics or comment blocks. Further values of this run are not captured.";

// Tells the user that the run is full, once per run (the run resets clear the flag).
void tellLimitOnce(RunData& run, platform::Messages& messages);

}  // namespace kelmar::capture
