#include "capture/characteristic_record.h"

#include "capture/capture_limit.h"
#include "platform/number_text.h"

namespace kelmar::capture {
namespace {

// PendingComments has room for the first 20 records after a comment.
constexpr int kPendingSlots = 20;

// Record rule 2: the comment block a new record takes, if any.
std::int16_t takeCommentBlock(CaptureContext& context, const CaptureMode& mode, RecordKind kind, int position) {
    RunData& run = context.run;
    if (!run.state.CommentPending || run.PendingComments[1] <= 0) return 0;
    int slot = 1;
    if (kind == RecordKind::Group && multiLineSetting(context, mode)) slot = position;
    // A group past the 20th record has no line of its own; a stale index names no block.
    if (slot < 1 || slot > kPendingSlots) return 0;
    const std::int16_t block = run.PendingComments[slot];
    if (kind == RecordKind::Single) run.PendingComments[1] = 0;
    return run.commentBlock(block) ? block : 0;
}

}  // namespace

NewRecord::NewRecord(CaptureContext& context)
    : context_(context), row_(nullptr), sequenceBefore_(context.run.state.SequenceNumber) {
    row_ = context.run.appendCharacteristic();
    if (!row_) tellLimitOnce(context.run, context.messages, context.texts);
}

NewRecord::~NewRecord() {
    if (row_ && !kept_) context_.run.dropLastCharacteristic(sequenceBefore_);
}

Characteristic& NewRecord::keep(const CaptureMode& mode, RecordKind kind, int position) {
    RunData& run = context_.run;
    Characteristic& c = *row_;
    kept_ = true;
    if (kind == RecordKind::Group) run.state.GroupCharCount = static_cast<std::int16_t>(position);
    c.CommentBlockIndex = takeCommentBlock(context_, mode, kind, position);
    c.Decimals = std::to_string(run.state.DecimalPlaces);
    // Without numbers the entry is the name itself; no copy is made for it.
    if (run.DimensionNumber) {
        context_.window.appendListEntry(numberedListEntry(c));
    } else {
        context_.window.appendListEntry(c.Name);
    }
    // Group records leave the queue to the group end.
    if (kind != RecordKind::Group) run.clearNameQueue();
    return c;
}

std::string numberedListEntry(const Characteristic& characteristic) {
    const std::string& number = characteristic.Number;
    const std::string padding(number.size() < 5 ? 5 - number.size() : 0, ' ');
    return padding + number + "  " + characteristic.Name;
}

namespace {

void writeTolerances(Characteristic& c, const platform::LimitSummand& nominal, double plusTol, double minusTol) {
    const platform::LimitSummand upper = platform::writeFixed5Summand(c.UTol, plusTol);
    const platform::LimitSummand lower = platform::writeFixed5Summand(c.LTol, -minusTol);
    platform::writeLimitText(c.USL, nominal, upper);
    platform::writeLimitText(c.LSL, nominal, lower);
}

}  // namespace

void setMeasuredValues(Characteristic& c, const MeasuredValues& values) {
    platform::writeFixed5(c.Meas, values.measured);
    platform::writeFixed5(c.Dev, values.deviation);
    platform::writeFixed5(c.OOT, values.outTol);
    writeTolerances(c, platform::writeFixed5Summand(c.Nom, values.nominal), values.plusTol, values.minusTol);
}

void setTolerance(Characteristic& c, double plusTol, double minusTol) {
    writeTolerances(c, platform::LimitSummand::ofText(c.Nom), plusTol, minusTol);
}

std::optional<std::string> queuedName(const RunData& run, int position) {
    if (position < 1 || position > run.NameQueueCount()) return std::nullopt;
    return run.NameQueue[position];
}

void increment16(std::int16_t& counter) {
    if (counter < kMaxCount) ++counter;
}

}  // namespace kelmar::capture
