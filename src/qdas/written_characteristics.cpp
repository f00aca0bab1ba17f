#include "qdas/written_characteristics.h"

#include <algorithm>

namespace kelmar::qdas {
namespace {

const std::string kEmpty;
const capture::QdasDataRecord kEmptyRecord;

}  // namespace

const std::string& commentOf(const capture::RunData& run, const capture::Characteristic& characteristic) {
    const capture::CommentBlock* block = run.commentBlock(characteristic.CommentBlockIndex);
    return block ? (*block)[1] : kEmpty;
}

const capture::QdasDataRecord& characteristicData(const capture::RunData& run, int i) {
    return i >= 0 && i <= run.qdasDataUpper() ? run.CharacteristicQdasData[i] : kEmptyRecord;
}

std::vector<int> writtenCharacteristics(const capture::RunData& run, int count) {
    const int last = std::min(count, run.CharacteristicCount());
    std::vector<int> written;
    written.reserve(static_cast<size_t>(std::max(last, 0)));
    for (int i = 1; i <= last; ++i) {
        bool leftOut = run.DimensionName && commentOf(run, run.CharacteristicTable[i]).starts_with(kSkipMarker);
        if (!leftOut) written.push_back(i);
    }
    return written;
}

}  // namespace kelmar::qdas
