#pragma once
// Q-DAS values a part program supplies in trace fields named after K-fields:
// checked against the Q-DAS limits, cut or replaced with a message, then stored
// into PartQdasData, CharacteristicQdasData or the NameQueue.

#include <optional>
#include <string>
#include <string_view>

#include "capture/run_data.h"
#include "platform/messages.h"
#include "settings/language_texts.h"

namespace kelmar::capture {

// Online capture and the offline import word four of the length messages differently.
enum class TraceWording { Online, Offline };

// Whether a trace field name is one of the K-field keys checked here (exact, case-sensitive).
bool isTraceFieldKey(std::string_view name);

// Checks and stores the value of a K-field trace field; false, with nothing done, for other names.
bool applyTraceField(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts,
                     std::string_view name, std::string_view value, TraceWording wording);

// A value typed or chosen in the data entry form for such a K-field: kept as typed, blanks
// included, and cut to the limit less reserved (characters the form adds, as K0006's "#")
// after the message that names the form's field; nothing for keys without a limit.
std::optional<std::string> checkedFormText(platform::Messages& messages, const settings::LanguageTexts& texts,
                                           std::string_view key, std::string_view value, size_t reserved);

// The number a whole-number check tests: blanks, an optional sign, digits and an optional
// fraction, rounded half to even; nothing for any other text. Magnitudes saturate far above every limit.
std::optional<long long> wholeNumberForTest(std::string_view text);

}  // namespace kelmar::capture
