#include "capture/capture_limit.h"

#include "platform/product.h"

namespace kelmar::capture {

void tellLimitOnce(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts) {
    if (run.state.LimitNoticeShown) return;
    run.state.LimitNoticeShown = true;
    messages.information(platform::kApplicationTitle, texts.text(settings::Text::RunLimitReached));
}

}  // namespace kelmar::capture
