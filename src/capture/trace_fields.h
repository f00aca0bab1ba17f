#pragma once
// Q-DAS values a part program supplies in trace fields named after K-fields:
// checked against the Q-DAS limits, cut or replaced with a message, then stored
// into PartQdasData, CharacteristicQdasData or the NameQueue.

#include <optional>
#include <string>
#include <string_view>

#include "capture/run_data.h"
#include "platform/messages.h"

namespace kelmar::capture {

// Online capture and the offline import word four of the length messages differently.
enum class TraceWording { Online, Offline };

// Whether a trace field name is one of the K-field keys checked here (exact, case-sensitive).
bool isTraceFieldKey(std::string_view name);

// Checks and stores the value of a K-field trace field; false, with nothing done, for other names.
bool applyTraceField(RunData& run, platform::Messages& messages, std::string_view name, std::string_view value,
                     TraceWording wording);

// A value for a K-field with a length limit (K0006, K0053, ...): trimmed, and cut to the limit
// after the message that says so; nothing for keys without one.
std::optional<std::string> checkedTraceText(platform::Messages& messages, std::string_view key, std::string_view value,
                                            TraceWording wording);

// The number a whole-number check tests: blanks, an optional sign, digits and an optional
// fraction, rounded half to even; nothing for any other text. Magnitudes saturate far above every limit.
std::optional<long long> wholeNumberForTest(std::string_view text);

}  // namespace kelmar::capture
