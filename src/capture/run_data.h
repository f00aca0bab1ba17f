#pragma once
// The in-memory data of one run: the Characteristics, their comment blocks,
// the Q-DAS data records, the queue of names and the capture state.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelmar::capture {

// Counters are 16-bit: a run holds at most this many Characteristics or comment blocks.
inline constexpr int kMaxCount = 32767;

struct Characteristic {
    std::string Number;
    std::string Unit;
    std::string Feat1, Feat2, Feat3;
    std::string Name;
    std::string Meas, Nom, UTol, LTol, USL, LSL, Dev, OOT;
    std::int16_t CommentBlockIndex = 0;
    bool LowerNatural = false;
    std::string Attribute;
    std::int16_t GroupType = 0;
    std::string Decimals;
    std::int16_t GroupNumber = 0;
    std::int16_t MemberOfGroup = 0;
};

// Lines 1..20 of a host comment; index 0 is never used.
using CommentBlock = std::array<std::string, 21>;

// One value per K-field, index 0..35 with the fixed key table below.
struct QdasDataRecord {
    static constexpr int kSize = 36;
    std::array<std::string, kSize> fields{};

    // The key of an index ("K0005" for 0), empty for the unused 27 and 33 and out of range.
    static const char* keyOf(int index);
    // The index of a key, or nothing when the record has no such field.
    static std::optional<int> indexOf(const std::string& key);
};

// Indexes of the fields capture, the writer and the dialogs use by name.
namespace field {
inline constexpr int K0005 = 0, K0006 = 1, K0007 = 2, K0008 = 3, K0009 = 4, K0010 = 5, K0011 = 6, K0012 = 7,
                     K0053 = 8, K1007 = 9, K1010 = 10, K1011 = 11, K1021 = 12, K1022 = 13, K1031 = 14,
                     K1032 = 15, K1041 = 16, K1042 = 17, K1052 = 18, K1053 = 19, K1101 = 20, K1203 = 21,
                     K1209 = 22, K1303 = 23, K1900 = 24, K2005 = 25, K2006 = 26, K2060 = 28, K2320 = 29,
                     K2401 = 30, K2402 = 31, K2404 = 32, K8500 = 34, K8501 = 35;
}

// The single values carried from one host event to the next.
struct CaptureState {
    std::int16_t SequenceNumber = 0;
    std::int16_t DecimalPlaces = 4;
    bool CaptureOn = false;
    bool StatCmdSupport = false;
    bool CommentPending = false;
    std::string GroupId;
    bool GroupValid = false;
    std::string GroupUnit, GroupFeat1, GroupFeat2, GroupFeat3;
    std::int16_t GroupAxisCount = 0;
    std::int16_t GroupCharCount = 0;
    std::int16_t GroupPositionAxes = 0;
    std::int16_t PositionGroupCounter = 0;
    // The user was told that the run reached the 16-bit limit; told once per run.
    bool LimitNoticeShown = false;
};

class RunData {
public:
    RunData();

    // Element 0 of each table is never used.
    std::vector<Characteristic> CharacteristicTable;
    std::vector<CommentBlock> CommentTable;
    std::array<std::int16_t, 21> PendingComments{};
    std::array<QdasDataRecord, 2> PartQdasData{};
    std::vector<QdasDataRecord> CharacteristicQdasData;
    std::vector<std::string> NameQueue;
    CaptureState state;

    // Characteristic numbering by counter and naming by comment text: loaded at
    // start-up, changed by the advanced settings, read by capture and the writer.
    bool DimensionNumber = false;
    bool DimensionName = false;
    // Set by the data entry form, read by the writer and the distribution.
    bool ReworkedPartFlag = false;
    // The output file name a part program supplies through a "FileName" trace field.
    std::string FileNameText;

    int CharacteristicCount() const { return static_cast<int>(CharacteristicTable.size()) - 1; }
    int CommentBlockCount() const { return commentBlockCount_; }
    int NameQueueCount() const { return static_cast<int>(NameQueue.size()) - 1; }

    // Appends a Characteristic numbered by the next SequenceNumber. Null, with
    // nothing changed, when the run already holds kMaxCount.
    Characteristic* appendCharacteristic();
    // Takes the last Characteristic out again, with SequenceNumber back to the value it had.
    void dropLastCharacteristic(std::int16_t sequenceNumberBefore);
    // Takes the next comment block index, growing the table; its line 1 is cleared.
    // Nothing, with nothing changed, when kMaxCount blocks are in use.
    std::optional<int> appendCommentBlock();
    // The comment block of an index, or null outside 1..CommentBlockCount.
    const CommentBlock* commentBlock(int index) const;
    CommentBlock* commentBlock(int index);

    // Grows CharacteristicQdasData so that index upper exists, keeping its
    // contents; false when upper lies beyond kMaxCount.
    bool growQdasData(int upper);
    // Upper index of CharacteristicQdasData (-1 when it does not exist yet).
    int qdasDataUpper() const { return static_cast<int>(CharacteristicQdasData.size()) - 1; }

    // Queues a name; false, with nothing changed, when kMaxCount names are queued.
    bool appendName(std::string name);
    void clearNameQueue();

    // The resets of a new online run, a new offline import and a group end. Both
    // run starts also empty PartQdasData, CharacteristicQdasData and FileNameText.
    void resetForOnlineStart();
    void resetForOfflineStart();
    void resetAtGroupEnd();

private:
    // What the online and the offline start have in common.
    void resetRun();

    int commentBlockCount_ = 0;
};

}  // namespace kelmar::capture
