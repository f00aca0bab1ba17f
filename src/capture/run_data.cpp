#include "capture/run_data.h"

#include <cstring>

namespace kelmar::capture {
namespace {

constexpr const char* kKeys[QdasDataRecord::kSize] = {
    "K0005", "K0006", "K0007", "K0008", "K0009", "K0010", "K0011", "K0012", "K0053", "K1007", "K1010", "K1011",
    "K1021", "K1022", "K1031", "K1032", "K1041", "K1042", "K1052", "K1053", "K1101", "K1203", "K1209", "K1303",
    "K1900", "K2005", "K2006", "",      "K2060", "K2320", "K2401", "K2402", "K2404", "",      "K8500", "K8501"};

}  // namespace

const char* QdasDataRecord::keyOf(int index) { return index >= 0 && index < kSize ? kKeys[index] : ""; }

std::optional<int> QdasDataRecord::indexOf(const std::string& key) {
    if (key.empty()) return std::nullopt;
    for (int i = 0; i < kSize; ++i)
        if (key == kKeys[i]) return i;
    return std::nullopt;
}

RunData::RunData() : CharacteristicTable(1), CommentTable(1), NameQueue(1) {}

Characteristic* RunData::appendCharacteristic() {
    if (CharacteristicCount() >= kMaxCount) return nullptr;
    CharacteristicTable.emplace_back();
    // SequenceNumber is 16-bit like the count; the count bounds it within a run.
    if (state.SequenceNumber < kMaxCount) ++state.SequenceNumber;
    Characteristic& added = CharacteristicTable.back();
    added.Number = std::to_string(state.SequenceNumber);
    return &added;
}

void RunData::dropLastCharacteristic(std::int16_t sequenceNumberBefore) {
    if (CharacteristicCount() < 1) return;
    CharacteristicTable.pop_back();
    state.SequenceNumber = sequenceNumberBefore;
}

std::optional<int> RunData::appendCommentBlock() {
    if (commentBlockCount_ >= kMaxCount) return std::nullopt;
    ++commentBlockCount_;
    if (static_cast<int>(CommentTable.size()) <= commentBlockCount_) CommentTable.resize(commentBlockCount_ + 1);
    CommentTable[commentBlockCount_][1].clear();
    return commentBlockCount_;
}

const CommentBlock* RunData::commentBlock(int index) const {
    return index >= 1 && index <= commentBlockCount_ && index < static_cast<int>(CommentTable.size())
               ? &CommentTable[index]
               : nullptr;
}

CommentBlock* RunData::commentBlock(int index) {
    return const_cast<CommentBlock*>(static_cast<const RunData*>(this)->commentBlock(index));
}

bool RunData::growQdasData(int upper) {
    if (upper > kMaxCount) return false;
    if (upper > qdasDataUpper()) CharacteristicQdasData.resize(static_cast<size_t>(upper) + 1);
    return true;
}

bool RunData::appendName(std::string name) {
    if (NameQueueCount() >= kMaxCount) return false;
    NameQueue.push_back(std::move(name));
    return true;
}

void RunData::clearNameQueue() {
    NameQueue.resize(1);
    NameQueue[0].clear();
}

void RunData::resetRun() {
    CharacteristicTable.assign(1, Characteristic{});
    state.SequenceNumber = 0;
    commentBlockCount_ = 0;
    state.GroupPositionAxes = 0;
    state.PositionGroupCounter = 0;
    clearNameQueue();
    state.CommentPending = false;
    state.LimitNoticeShown = false;
    // A new run starts without the previous run's part data, per-characteristic
    // data and file name: fields filled "only when empty" would keep them otherwise.
    PartQdasData.fill(QdasDataRecord{});
    CharacteristicQdasData.clear();
    FileNameText.clear();
}

void RunData::resetForOnlineStart() {
    resetRun();
    // The comment table itself stays; the next run reuses its blocks from index 1.
    state.GroupUnit.clear();
    state.GroupFeat1.clear();
    state.GroupFeat2.clear();
    state.GroupFeat3.clear();
}

void RunData::resetForOfflineStart() {
    resetRun();
    CommentTable.assign(1, CommentBlock{});
    state.GroupCharCount = 0;
    for (int i = 1; i <= 20; ++i) PendingComments[i] = 0;
}

void RunData::resetAtGroupEnd() {
    PendingComments[1] = 0;
    state.GroupCharCount = 0;
    state.GroupPositionAxes = 0;
    clearNameQueue();
}

}  // namespace kelmar::capture
