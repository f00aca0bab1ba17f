#include "capture/position_group.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "capture/characteristic_record.h"

namespace kelmar::capture {
namespace {

bool isCoordinateAxis(int kind) { return kind == 1202 || kind == 1203 || kind == 1204 || kind == 1207 || kind == 1208; }

// Names of the axes whose tolerance the closing value halves end in one of these.
bool hasHalvedAxisName(const std::string& name) {
    constexpr std::array<std::string_view, 5> kEndings = {".X", ".Y", ".Z", "PR", "PA"};
    if (name.size() < 2) return false;
    const std::string_view last = std::string_view(name).substr(name.size() - 2);
    return std::find(kEndings.begin(), kEndings.end(), last) != kEndings.end();
}

void joinGroup(CaptureContext& context, Characteristic& axis) {
    RunData& run = context.run;
    const int index = run.CharacteristicCount();
    run.growQdasData(index);
    std::string& k2005 = run.CharacteristicQdasData[index].fields[field::K2005];
    // Assigned as a string: GCC 12 warns falsely about a literal here.
    if (k2005.empty()) k2005 = std::string("1");
    // Group numbers belong to the Q-DAS position calculation; without it they stay 0.
    if (useQPosSetting(context)) axis.MemberOfGroup = run.state.PositionGroupCounter;
    increment16(run.state.GroupPositionAxes);
}

// Exactly two coordinate axes make a Q-DAS position; otherwise the group's number is withdrawn.
void numberGroup(CaptureContext& context, Characteristic& closing) {
    RunData& run = context.run;
    CaptureState& s = run.state;
    if (!useQPosSetting(context)) return;
    if (s.GroupPositionAxes == 2) {
        closing.GroupNumber = s.PositionGroupCounter;
        closing.GroupType = 2;
        return;
    }
    if (s.PositionGroupCounter > 0) --s.PositionGroupCounter;
    closing.GroupNumber = 0;
    const int last = run.CharacteristicCount();
    const int before = std::min(s.GroupCharCount - 1, last - 1);
    for (int k = 1; k <= before; ++k) {
        run.CharacteristicTable[last - k].GroupNumber = 0;
        run.CharacteristicTable[last - k].MemberOfGroup = 0;
    }
}

void halveAxisTolerances(RunData& run, double plusTol) {
    CaptureState& s = run.state;
    const double half = plusTol / 2;
    const int last = run.CharacteristicCount();
    for (int k = std::min<int>(s.GroupAxisCount, last - 1); k >= 1; --k) {
        Characteristic& axis = run.CharacteristicTable[last - k];
        if (hasHalvedAxisName(axis.Name)) setTolerance(axis, half, half);
    }
    s.GroupAxisCount = 0;
}

}  // namespace

void applyPositionGroupSteps(CaptureContext& context, Characteristic& appended, int kind, double plusTol) {
    if (isCoordinateAxis(kind)) joinGroup(context, appended);
    if (kind != 1209) return;
    numberGroup(context, appended);
    halveAxisTolerances(context.run, plusTol);
}

}  // namespace kelmar::capture
