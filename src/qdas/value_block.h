#pragma once
// The measured value block: for every written Characteristic its value, the
// value's attribute, the time of writing and the part-level event and process data.

#include <vector>

#include "capture/run_data.h"
#include "qdas/clock.h"
#include "qdas/qdas_lines.h"

namespace kelmar::qdas {

// Appends the K0001..K0053 lines of the Characteristics at the table indexes written
// (from writtenCharacteristics), the n-th under index n. The clock is asked for each group.
void WriteValueBlock(const capture::RunData& run, const std::vector<int>& written, const Clock& clock, QdasLines& out);

}  // namespace kelmar::qdas
