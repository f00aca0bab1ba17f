#include "capture/online_capture.h"

#include "capture/capture_rules.h"
#include "host/host_step.h"
#include "platform/text.h"

namespace kelmar::capture {
namespace {

bool fromAttachedProgram(const CaptureContext& context, const host::PartProgram& partProgram) {
    return host::readOr([&] { return partProgram.FullName() == context.attachedFullName; }, false);
}

// A transfer switches capture off, may name the output folder and ends the run.
void transfer(CaptureContext& context, const host::Statistics& statistics) {
    setCaptureSwitch(context, false, settings::Text::StatisticsOff);
    // An unreadable text names no folder; the transfer still ends the run.
    const std::string folder = platform::trimBlanks(host::readOr([&] { return statistics.Text(); }, std::string()));
    if (!folder.empty()) context.commandLine.set(2, folder);
    startEndOfRun(context);
}

// Statistics commands switch capture; false when a host call failed.
bool applyStatistics(CaptureContext& context, const host::Command& command) {
    try {
        if (!command.IsStatistics()) return true;
        const auto statistics = requiredObject(command.GetStatistics());
        const int state = statistics->State();
        if (state == 1) {
            setCaptureSwitch(context, true, settings::Text::StatisticsOn);
        } else if (state == 0) {
            setCaptureSwitch(context, false, settings::Text::StatisticsOff);
        } else if (state == 2) {
            transfer(context, *statistics);
        }
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

}  // namespace

void OnObjectExecuted(CaptureContext& context, host::PartProgram& partProgram, host::Command& command) {
    if (!fromAttachedProgram(context, partProgram)) return;
    context.window.stepProgress();
    if (!applyStatistics(context, command)) return;
    const CaptureState& s = context.run.state;
    if (s.StatCmdSupport && !s.CaptureOn) return;
    applyCaptureRules(context, command, nullptr, CaptureMode::online());
}

}  // namespace kelmar::capture
