#include "capture/dimension_capture.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <variant>

#include "capture/axis_names.h"
#include "capture/capture_rules.h"
#include "capture/characteristic_record.h"
#include "capture/position_group.h"
#include "host/host_step.h"
#include "platform/number_text.h"

namespace kelmar::capture {
namespace {

bool isOneOf(int kind, std::initializer_list<int> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// Mode 0 and 2 are captured; the others are not.
bool capturedMode(int mode) { return mode == 0 || mode == 2; }

const char* unitText(int unitCode) { return unitCode == 0 ? "INCH" : unitCode == 1 ? "MM" : ""; }

// The name from the dimension itself. Throws when a host read fails.
std::string dimensionName(const CaptureContext& context, const host::Dimension& d, int kind, bool axisLetter,
                          bool group) {
    if (axisLetter) return d.Id() + "." + modAxisName(std::to_string(kind), context.texts);
    if (group) return context.run.state.GroupId + "." + d.AxisText();
    std::string name = d.Id();
    const std::string axis = d.AxisText();
    name += '.';
    name += axis.empty() ? std::string_view("M") : std::string_view(axis);
    return name;
}

// Record rule 4: a queued name, else one built from the dimension; a failed read
// builds it once more from the same sources, with GroupId for group records and
// without the "M", each failing part left empty.
std::string recordName(const CaptureContext& context, const host::Dimension& d, int kind, bool group, int position) {
    if (auto queued = queuedName(context.run, position)) return std::move(*queued);
    const bool axisLetter = axisLetterSetting(context);
    try {
        return dimensionName(context, d, kind, axisLetter, group);
    } catch (const host::HostError&) {
        const auto orEmpty = [](auto read) { return host::readOr(read, std::string()); };
        const std::string id = group ? context.run.state.GroupId : orEmpty([&] { return d.Id(); });
        const std::string axis =
            axisLetter ? modAxisName(std::to_string(kind), context.texts) : orEmpty([&] { return d.AxisText(); });
        return id + "." + axis;
    }
}

// Record rule 8.
const char* attributeOf(CaptureContext& context, const CaptureMode& mode, const host::Command& command) {
    if (command.IsMarked()) return "0";
    return attribute255Setting(context, mode) ? "255" : "256";
}

// Record rules 4 to 8 for a dimension value, read into a new row and kept; group
// records take the group's unit and features. Null when the run is full.
// plusTol, when given, gets the host's plus tolerance as read.
Characteristic* keepDimensionRecord(CaptureContext& context, const CaptureMode& mode, const host::Command& command,
                                    const host::Dimension& d, int kind, RecordKind recordKind, int position,
                                    std::initializer_list<int> lowerNaturalKinds, double* plusTol = nullptr) {
    NewRecord record(context);
    Characteristic* c = record.row();
    if (!c) return nullptr;
    const bool group = recordKind == RecordKind::Group;
    c->Name = recordName(context, d, kind, group, group ? position : 1);
    MeasuredValues v;
    v.measured = kind == 1209 ? d.Deviation() : d.Measured();
    v.nominal = d.Nominal();
    v.plusTol = d.PlusTol();
    v.minusTol = d.MinusTol();
    v.deviation = d.Deviation();
    v.outTol = d.OutTol();
    if (group) {
        const CaptureState& s = context.run.state;
        c->Unit = s.GroupUnit;
        c->Feat1 = s.GroupFeat1;
        c->Feat2 = s.GroupFeat2;
        c->Feat3 = s.GroupFeat3;
    } else {
        c->Unit = isOneOf(kind, {1108, 1109}) ? "DEG" : unitText(d.UnitCode());
        c->Feat1 = d.Feature1();
        c->Feat2 = d.Feature2();
        c->Feat3 = d.Feature3();
    }
    c->LowerNatural = isOneOf(kind, lowerNaturalKinds);
    c->Attribute = attributeOf(context, mode, command);
    // The texts last: the host reads then follow each other closely.
    setMeasuredValues(*c, v);
    if (plusTol) *plusTol = v.plusTol;
    return &record.keep(mode, recordKind, position);
}

void startGroup(CaptureContext& context, const host::Command& command, const host::Dimension& d, int kind) {
    std::string id = command.Id();
    const bool valid = capturedMode(d.Mode());
    const int unitCode = d.UnitCode();
    std::string f1 = d.Feature1(), f2 = d.Feature2(), f3 = d.Feature3();

    CaptureState& s = context.run.state;
    s.GroupId = std::move(id);
    s.GroupAxisCount = 0;
    s.GroupValid = valid;
    if (unitCode == 0 || unitCode == 1) s.GroupUnit = unitText(unitCode);
    s.GroupFeat1 = std::move(f1);
    s.GroupFeat2 = std::move(f2);
    s.GroupFeat3 = std::move(f3);
    if (kind == 1200 && useQPosSetting(context)) increment16(s.PositionGroupCounter);
}

int nextPosition(const CaptureState& s) { return std::min<int>(s.GroupCharCount + 1, kMaxCount); }

void captureLocationAxis(CaptureContext& context, const CaptureMode& mode, const host::Command& command,
                         const host::Dimension& d, int kind) {
    CaptureState& s = context.run.state;
    // Offline, skipped axes still take their place within the group.
    if (mode.countSkippedLocationAxes) increment16(s.GroupCharCount);
    if (kind == 1011 || !s.GroupValid) return;
    const int position = mode.countSkippedLocationAxes ? s.GroupCharCount : nextPosition(s);
    keepDimensionRecord(context, mode, command, d, kind, RecordKind::Group, position, {1018, 1019, 1020});
}

void capturePositionAxis(CaptureContext& context, const CaptureMode& mode, const host::Command& command,
                         const host::Dimension& d, int kind) {
    CaptureState& s = context.run.state;
    if (!s.GroupValid) return;
    double plusTol = 0.0;
    Characteristic* c = keepDimensionRecord(context, mode, command, d, kind, RecordKind::Group, nextPosition(s),
                                            {1209, 1217, 1218, 1219}, &plusTol);
    if (!c) return;
    applyPositionGroupSteps(context, *c, kind, plusTol);
    increment16(s.GroupAxisCount);
}

double fieldNumber(const host::FieldValue& value) {
    if (const double* number = std::get_if<double>(&value)) return *number;
    if (auto parsed = platform::parseNumber(std::get<std::string>(value))) return *parsed;
    throw host::HostError("a typed field holds no number");
}

std::string fieldText(const host::FieldValue& value) {
    if (const std::string* text = std::get_if<std::string>(&value)) return *text;
    return platform::formatGeneral(std::get<double>(value));
}

}  // namespace

void captureDimension(CaptureContext& context, const CaptureMode& mode, host::Command& command, int kind,
                      host::Commands* prepare) {
    if (mode.prepareDimensions && prepare) prepare->PrepareCommand(command);
    const auto dimension = requiredObject(command.DimensionData());
    const host::Dimension& d = *dimension;
    const bool location = d.IsLocationAxis();
    const bool position = d.IsPositionAxis();
    const bool groupStart = kind == 1000 || kind == 1200;

    if (!groupStart && !location && !position && capturedMode(d.Mode())) {
        keepDimensionRecord(context, mode, command, d, kind, RecordKind::Single, 0,
                            {1100, 1101, 1102, 1103, 1104, 1110, 1111, 1112, 1114, 1115});
    }
    if (groupStart) {
        startGroup(context, command, d, kind);
    } else if (location) {
        captureLocationAxis(context, mode, command, d, kind);
    } else if (position) {
        capturePositionAxis(context, mode, command, d, kind);
    }
}

void captureKind184(CaptureContext& context, const CaptureMode& mode, host::Command& command) {
    const int status = command.GetFieldInt(165, 1);
    if (status == 2 || status == 4) return;
    NewRecord record(context);
    Characteristic* c = record.row();
    if (!c) return;
    MeasuredValues v;
    v.measured = fieldNumber(command.GetFieldValue(662, 1));
    v.nominal = fieldNumber(command.GetFieldValue(687, 1));
    v.plusTol = fieldNumber(command.GetFieldValue(693, 1));
    v.minusTol = fieldNumber(command.GetFieldValue(694, 1));
    // The typed fields carry no deviation of their own; the measured value stands in.
    v.deviation = v.measured;
    v.outTol = fieldNumber(command.GetFieldValue(766, 1));
    setMeasuredValues(*c, v);
    const int unit = command.GetFieldInt(172, 1);
    c->Unit = unit == 1 ? "INCH" : unit == 2 ? "MM" : "";
    c->Feat1 = fieldText(command.GetFieldValue(657, 1));
    c->LowerNatural = true;
    auto queued = queuedName(context.run, 1);
    c->Name = queued ? std::move(*queued) : host::readOr([&] { return command.Id(); }, std::string());
    c->Attribute = attributeOf(context, mode, command);
    record.keep(mode, RecordKind::Kind184);
}

}  // namespace kelmar::capture
