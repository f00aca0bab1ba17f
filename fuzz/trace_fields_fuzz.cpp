// A trace field value from the host: a K-field name, a NUL, the value.
#include <cstdint>

#include "capture/run_data.h"
#include "capture/trace_fields.h"
#include "fuzz_support.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto [name, value] = fuzz::splitAtNul(data, size);
    capture::RunData run;
    fuzz::QuietMessages messages;
    const kelmar::settings::LanguageTexts texts;
    const bool online = size > 0 && (data[size - 1] & 1);
    const bool applied = capture::applyTraceField(
        run, messages, texts, name, value, online ? capture::TraceWording::Online : capture::TraceWording::Offline);
    if (applied != capture::isTraceFieldKey(name)) fuzz::propertyFailed("applied a name that is no K-field key");
    (void)capture::wholeNumberForTest(value);
    return 0;
}
