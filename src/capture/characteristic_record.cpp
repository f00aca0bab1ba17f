#include "capture/characteristic_record.h"

#include "capture/capture_limit.h"
#include "platform/number_text.h"

namespace kelmar::capture {
namespace {

// PendingComments has room for the first 20 records after a comment.
constexpr int kPendingSlots = 20;

// Record rule 2: the comment block a new record takes, if any.
std::int16_t takeCommentBlock(CaptureContext& context, const CaptureMode& mode, const RecordDraft& draft) {
    RunData& run = context.run;
    if (!run.state.CommentPending || run.PendingComments[1] <= 0) return 0;
    int slot = 1;
    if (draft.kind == RecordKind::Group && multiLineSetting(context, mode)) slot = draft.position;
    // A group past the 20th record has no line of its own; a stale index names no block.
    if (slot < 1 || slot > kPendingSlots) return 0;
    const std::int16_t block = run.PendingComments[slot];
    if (draft.kind == RecordKind::Single) run.PendingComments[1] = 0;
    return run.commentBlock(block) ? block : 0;
}

}  // namespace

Characteristic* appendRecord(CaptureContext& context, const CaptureMode& mode, RecordDraft&& draft) {
    RunData& run = context.run;
    Characteristic* c = run.appendCharacteristic();
    if (!c) {
        tellLimitOnce(run, context.messages);
        return nullptr;
    }
    std::string number = std::move(c->Number);
    *c = std::move(draft.values);
    c->Number = std::move(number);
    if (draft.kind == RecordKind::Group) run.state.GroupCharCount = static_cast<std::int16_t>(draft.position);
    c->CommentBlockIndex = takeCommentBlock(context, mode, draft);
    c->Decimals = std::to_string(run.state.DecimalPlaces);
    context.window.appendListEntry(listEntryText(*c, run.DimensionNumber));
    // Group records leave the queue to the group end.
    if (draft.kind != RecordKind::Group) run.clearNameQueue();
    return c;
}

std::string listEntryText(const Characteristic& characteristic, bool numbersShown) {
    if (!numbersShown) return characteristic.Name;
    const std::string& number = characteristic.Number;
    const std::string padding(number.size() < 5 ? 5 - number.size() : 0, ' ');
    return padding + number + "  " + characteristic.Name;
}

void setMeasuredValues(Characteristic& c, double measured, double nominal, double plusTol, double minusTol,
                       double deviation, double outTol) {
    c.Meas = platform::formatFixed5(measured);
    c.Nom = platform::formatFixed5(nominal);
    c.Dev = platform::formatFixed5(deviation);
    c.OOT = platform::formatFixed5(outTol);
    setTolerance(c, plusTol, minusTol);
}

void setTolerance(Characteristic& c, double plusTol, double minusTol) {
    c.UTol = platform::formatFixed5(plusTol);
    c.LTol = platform::formatFixed5(-minusTol);
    c.USL = platform::limitText(c.Nom, c.UTol);
    c.LSL = platform::limitText(c.Nom, c.LTol);
}

std::optional<std::string> queuedName(const RunData& run, int position) {
    if (position < 1 || position > run.NameQueueCount()) return std::nullopt;
    return run.NameQueue[position];
}

void increment16(std::int16_t& counter) {
    if (counter < kMaxCount) ++counter;
}

}  // namespace kelmar::capture
