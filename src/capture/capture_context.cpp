#include "capture/capture_context.h"

#include "settings/setting_names.h"

namespace kelmar::capture {
namespace {

bool flagWithModeDefault(CaptureContext& context, const CaptureMode& mode, const char* name) {
    if (mode.writeMissingDefaults) return context.settings.readFlagOr(name, true, true);
    return context.settings.readFlag(name).value_or(false);
}

}  // namespace

bool axisLetterSetting(const CaptureContext& context) {
    return context.settings.readFlag(settings::names::AxisLetter).value_or(false);
}

bool useQPosSetting(const CaptureContext& context) {
    return context.settings.readFlag(settings::names::UseQPos).value_or(true);
}

bool multiLineSetting(CaptureContext& context, const CaptureMode& mode) {
    return flagWithModeDefault(context, mode, settings::names::MultiLine);
}

bool attribute255Setting(CaptureContext& context, const CaptureMode& mode) {
    return flagWithModeDefault(context, mode, settings::names::Attribute255);
}

}  // namespace kelmar::capture
