#include "capture/capture_rules.h"

#include <vector>

#include "capture/capture_limit.h"
#include "capture/decimal_places.h"
#include "capture/dimension_capture.h"
#include "capture/text_cleanup.h"
#include "capture/trace_fields.h"
#include "platform/product.h"
#include "platform/text.h"

namespace kelmar::capture {
namespace {

constexpr int kCommentLines = 20;

// Joined: the lines up to the first empty one. One block per line: all 20, empty ones too.
std::vector<std::string> readCommentLines(const host::Comment& comment, bool multiLine) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kCommentLines; ++i) {
        std::string line = comment.Line(i);
        if (!multiLine && line.empty()) break;
        lines.push_back(mdlClearFormat(line));
    }
    return lines;
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? " / " : "") + lines[i];
    return joined;
}

// A comment of type 1 becomes comment blocks that the next records take. All lines
// are read first, so a failed read stores nothing.
void captureComment(CaptureContext& context, const CaptureMode& mode, const host::Comment& comment) {
    if (comment.CommentType() != 1) return;
    const bool multiLine = multiLineSetting(context, mode);
    const std::vector<std::string> lines = readCommentLines(comment, multiLine);

    RunData& run = context.run;
    // One block per line counts one block more than it fills.
    const int needed = multiLine ? kCommentLines + 1 : 1;
    if (run.CommentBlockCount() > kMaxCount - needed) return tellLimitOnce(run, context.messages, context.texts);
    run.state.CommentPending = true;
    int block = *run.appendCommentBlock();
    run.PendingComments[1] = static_cast<std::int16_t>(block);
    if (!multiLine) {
        run.CommentTable[block][1] = joinedLines(lines);
        return;
    }
    for (int i = 1; i <= kCommentLines; ++i) {
        run.CommentTable[block][1] = lines[i - 1];
        run.PendingComments[i] = static_cast<std::int16_t>(block);
        block = *run.appendCommentBlock();
    }
}

void switchByQdasValue(CaptureContext& context, const std::string& value) {
    if (value == "1") {
        setCaptureSwitch(context, true, settings::Text::StatisticsOn);
    } else if (value == "0") {
        setCaptureSwitch(context, false, settings::Text::StatisticsOff);
    } else if (value == "E") {
        setCaptureSwitch(context, false, settings::Text::StatisticsEnd);
        startEndOfRun(context);
    }
}

void takeFileName(CaptureContext& context, const CaptureMode& mode, const std::string& value) {
    std::string name = platform::trimBlanks(value);
    if (mode.rejectFileNameSlashes && name.find_first_of("/\\") != std::string::npos) {
        context.messages.plain(platform::kApplicationTitle, context.texts.text(settings::Text::FileNameTraceError));
        name = "Default";
    }
    if (!name.empty()) context.run.FileNameText = std::move(name);
}

void applyTraceFieldCommand(CaptureContext& context, const CaptureMode& mode, const host::TraceField& trace) {
    const std::string name = trace.Name();
    if (name == "QDAS") {
        if (mode.qdasTraceSwitches) switchByQdasValue(context, trace.Value());
    } else if (name == "FileName") {
        takeFileName(context, mode, trace.Value());
    } else if (isTraceFieldKey(name)) {
        applyTraceField(context.run, context.messages, context.texts, name, trace.Value(), mode.wording);
    }
}

void applySteps(CaptureContext& context, host::Command& command, host::Commands* prepare, const CaptureMode& mode) {
    const int kind = command.Type();
    if (kind == 1001 || kind == 1201) return context.run.resetAtGroupEnd();
    if (kind != 1299 && command.IsDimension()) return captureDimension(context, mode, command, kind, prepare);
    if (kind == 184) return captureKind184(context, mode, command);
    if (command.IsComment()) return captureComment(context, mode, *requiredObject(command.GetComment()));
    if (command.IsTraceField()) {
        return applyTraceFieldCommand(context, mode, *requiredObject(command.GetTraceField()));
    }
    if (kind == 114) {
        context.run.state.DecimalPlaces = boundedDecimalPlaces(command.DecimalSetting());
        context.run.state.CommentPending = false;
    }
}

}  // namespace

bool applyCaptureRules(CaptureContext& context, host::Command& command, host::Commands* prepare,
                       const CaptureMode& mode) {
    try {
        applySteps(context, command, prepare, mode);
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

void setCaptureSwitch(CaptureContext& context, bool on, settings::Text panelText) {
    context.run.state.CaptureOn = on;
    context.window.setStatusPanel(2, context.texts.text(panelText));
}

void startEndOfRun(CaptureContext& context) {
    if (context.EndeEinlesevorgang) context.EndeEinlesevorgang();
}

}  // namespace kelmar::capture
