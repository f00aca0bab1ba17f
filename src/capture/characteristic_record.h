#pragma once
// The record rules of capture: one Characteristic, read from the host as a
// draft, appended with its number, comment block, decimals and list entry.

#include <cstdint>
#include <optional>
#include <string>

#include "capture/capture_context.h"
#include "capture/run_data.h"

namespace kelmar::capture {

enum class RecordKind { Single, Group, Kind184 };

// The host's numbers of a record, before they are written as texts.
struct MeasuredValues {
    double measured = 0.0, nominal = 0.0, plusTol = 0.0, minusTol = 0.0, deviation = 0.0, outTol = 0.0;
};

// A record read in full from the host and not stored yet. Only plain values:
// the texts are written once, into the table's own row.
struct RecordDraft {
    RecordKind kind = RecordKind::Single;
    // Place of a group record within its group, from 1.
    int position = 0;
    std::string Name, Unit, Feat1, Feat2, Feat3;
    const char* Attribute = "";
    bool LowerNatural = false;
    MeasuredValues values;
};

// Appends a draft by the record rules; a group record makes its position the GroupCharCount.
// Null, with nothing stored and the user told once, when the run is full.
Characteristic* appendRecord(CaptureContext& context, const CaptureMode& mode, RecordDraft&& draft);

// The lstMM entry of a Characteristic: its Name, or with numbers shown its Number in 5 places, two blanks, the Name.
std::string listEntryText(const Characteristic& characteristic, bool numbersShown);

// Meas, Nom, UTol, LTol (the minus tolerance negated), Dev, OOT and the limits USL and LSL.
void setMeasuredValues(Characteristic& c, const MeasuredValues& values);
// UTol and LTol of a symmetric tolerance, with the limits recomputed.
void setTolerance(Characteristic& c, double plusTol, double minusTol);

// NameQueue element position, or nothing when the queue does not reach it.
std::optional<std::string> queuedName(const RunData& run, int position);

// Adds 1 to a 16-bit counter, stopping at 32767.
void increment16(std::int16_t& counter);

}  // namespace kelmar::capture
