#pragma once
// The record rules of capture: one Characteristic, read from the host into a
// new row, kept with its number, comment block, decimals and list entry.

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

// A new row of the table, filled in place from the host. Unless it is kept it
// is taken out again when this goes out of scope, so that a host read failing
// part-way through a command stores nothing.
class NewRecord {
public:
    // Appends the row; when the run is full there is none, and the user is told once.
    explicit NewRecord(CaptureContext& context);
    ~NewRecord();
    NewRecord(const NewRecord&) = delete;
    NewRecord& operator=(const NewRecord&) = delete;

    // The row to fill, its Number set; null when the run is full.
    Characteristic* row() const { return row_; }
    // Keeps the filled row by the record rules: its comment block, decimals and
    // list entry. A group record makes its position (from 1) the GroupCharCount.
    Characteristic& keep(const CaptureMode& mode, RecordKind kind, int position = 0);

private:
    CaptureContext& context_;
    Characteristic* row_;
    std::int16_t sequenceBefore_;
    bool kept_ = false;
};

// The lstMM entry of a Characteristic with numbers shown: its Number in 5 places, two blanks, the Name.
// Without numbers the entry is the Name itself.
std::string numberedListEntry(const Characteristic& characteristic);

// Meas, Nom, UTol, LTol (the minus tolerance negated), Dev, OOT and the limits USL and LSL.
void setMeasuredValues(Characteristic& c, const MeasuredValues& values);
// UTol and LTol of a symmetric tolerance, with the limits recomputed.
void setTolerance(Characteristic& c, double plusTol, double minusTol);

// NameQueue element position, or nothing when the queue does not reach it.
std::optional<std::string> queuedName(const RunData& run, int position);

// Adds 1 to a 16-bit counter, stopping at 32767.
void increment16(std::int16_t& counter);

}  // namespace kelmar::capture
