#pragma once
// The characteristic description of a Q-DAS transfer file: the header lines
// and one characteristic block per written Characteristic.

#include <string>
#include <vector>

#include "capture/run_data.h"
#include "qdas/qdas_lines.h"

namespace kelmar::qdas {

// The captions of the main window's part information labels.
struct PartCaptions {
    std::string serialNumber;
    std::string partName;
    std::string revisionNumber;
};

// How the blocks are numbered and named; the writer reads these for each run.
struct DescriptionOptions {
    bool axisLetter = false;        // AxisLetter
    bool useQPos = false;           // UseQPos
    bool commentNaming = false;     // DimensionName
    bool counterNumbering = false;  // DimensionNumber
};

// Appends the header lines and the blocks of the Characteristics at the table indexes
// written (from writtenCharacteristics). In comment naming the processed comments are
// stored back into their comment blocks.
void WriteDescription(capture::RunData& run, const std::vector<int>& written, const PartCaptions& captions,
                      const DescriptionOptions& options, QdasLines& out);

// The K2001 value of a Characteristic with skipCount Characteristics left out before it.
std::string characteristicNumberText(const capture::Characteristic& characteristic, int skipCount,
                                     const DescriptionOptions& options);

// The K2002 value into text; in comment naming (AxisLetter off) the comment is processed and stored back.
void characteristicDescription(capture::RunData& run, const capture::Characteristic& characteristic,
                               const DescriptionOptions& options, std::string& text);

// A comment as it names a Characteristic: "<<" removed and trimmed, a default when blank, at most 80 characters.
std::string processedComment(const std::string& comment);

// Appends "." and Feat1, then "." and Feat2, then "." and Feat3, each only while none before it is empty.
void appendFeatureIdentifiers(const capture::Characteristic& characteristic, std::string& text);

}  // namespace kelmar::qdas
