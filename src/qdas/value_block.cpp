#include "qdas/value_block.h"

#include "qdas/written_characteristics.h"

namespace kelmar::qdas {
namespace {

namespace field = capture::field;

// The part-level fields written when not empty, in their order behind K0005.
constexpr int kPartOnlyBefore[] = {field::K0006, field::K0007, field::K0008};
constexpr int kPartOnlyAfter[] = {field::K0010, field::K0011, field::K0012, field::K0053};

// The empty process-parameter selection of the K0011 dialog.
constexpr std::string_view kNoParameters = "[]";

void addWhenSet(QdasLines& out, int field, int n, const std::string& value) {
    if (value.empty()) return;
    if (field == field::K0011 && value == kNoParameters) return;
    out.add(capture::QdasDataRecord::keyOf(field), n, value);
}

// The K0004 text of the last reading, formatted again only when the clock moved on.
struct TimeStamp {
    DateTime at{-1, -1, -1, -1, -1, -1};
    std::string text;

    const std::string& of(const DateTime& now) {
        if (now != at) {
            at = now;
            text = qdasDateTime(now);
        }
        return text;
    }
};

void writeGroup(const capture::RunData& run, int i, int n, const Clock& clock, TimeStamp& stamp, QdasLines& out) {
    const capture::Characteristic& characteristic = run.CharacteristicTable[i];
    const capture::QdasDataRecord& own = characteristicData(run, i);
    const capture::QdasDataRecord& part = partData(run);
    out.add("K0001", n, characteristic.Meas);
    out.add("K0002", n, characteristic.Attribute);
    out.add("K0004", n, stamp.of(clock.now()));
    addWhenSet(out, field::K0005, n, ownOrPart(own, part, field::K0005));
    for (int f : kPartOnlyBefore) addWhenSet(out, f, n, part.fields[f]);
    addWhenSet(out, field::K0009, n, ownOrPart(own, part, field::K0009));
    for (int f : kPartOnlyAfter) addWhenSet(out, f, n, part.fields[f]);
}

}  // namespace

void WriteValueBlock(const capture::RunData& run, const std::vector<int>& written, const Clock& clock, QdasLines& out) {
    int n = 0;
    TimeStamp stamp;
    for (std::size_t k = 0; k < written.size(); ++k) {
        if (k + kPrefetchAhead < written.size())
            prefetchFields(run, written[k + kPrefetchAhead], {field::K0005, field::K0009});
        if (written[k] >= 1 && written[k] <= run.CharacteristicCount())
            writeGroup(run, written[k], ++n, clock, stamp, out);
    }
}

}  // namespace kelmar::qdas
