#pragma once
// The 16-bit limit of a run: what the user is told when capture has to refuse a value.

#include "capture/run_data.h"
#include "platform/messages.h"
#include "settings/language_texts.h"

namespace kelmar::capture {

// Tells the user that the run is full, once per run (the run resets clear the flag).
void tellLimitOnce(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts);

}  // namespace kelmar::capture
