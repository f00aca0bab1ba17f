#pragma once
// Which Characteristics of a run go into the file, and what the description
// and the value block read of them. One rule for both, decided once per run,
// so the value groups always stand under the number of their block.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "capture/run_data.h"

namespace kelmar::qdas {

// Comments that begin with this leave their Characteristic out in comment naming.
inline constexpr std::string_view kSkipMarker = "<<#";

// Line 1 of the Characteristic's comment block; empty when it has none or the index is out of range.
const std::string& commentOf(const capture::RunData& run, const capture::Characteristic& characteristic);

// The CharacteristicQdasData record of table index i; an empty record when the table is shorter.
const capture::QdasDataRecord& characteristicData(const capture::RunData& run, int i);

// The part-level record PartQdasData.
inline const capture::QdasDataRecord& partData(const capture::RunData& run) { return run.PartQdasData[1]; }

// The table indexes of Characteristics 1..count that are written, in table order; the n-th
// of them has characteristic number n. count is bounded by the records the table holds.
std::vector<int> writtenCharacteristics(const capture::RunData& run, int count);

// The field of the own record when not empty, else the same field of the part record (possibly empty).
// Inline, as prefetchFields: both are called for every few lines of a large file.
inline const std::string& ownOrPart(const capture::QdasDataRecord& own, const capture::QdasDataRecord& part,
                                    int field) {
    return own.fields[field].empty() ? part.fields[field] : own.fields[field];
}

// Asks for the given fields of record i ahead of their use. A record is large and only a few
// of its fields are read, so without this a large run waits on memory for each of them.
inline void prefetchFields(const capture::RunData& run, int i, std::initializer_list<int> fields) {
    if (i < 0 || i > run.qdasDataUpper()) return;
#if defined(__GNUC__) || defined(__clang__)
    for (int field : fields) __builtin_prefetch(&run.CharacteristicQdasData[i].fields[field]);
#else
    (void)fields;
#endif
}

// How many Characteristics ahead of the one being written the fields are asked for.
inline constexpr std::size_t kPrefetchAhead = 8;

}  // namespace kelmar::qdas
