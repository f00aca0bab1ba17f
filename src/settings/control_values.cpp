#include "settings/control_values.h"

namespace kelmar::settings {

std::optional<ControlValue> readControlValue(const SettingsStore& store, const ControlInfo& control) {
    switch (control.kind) {
        case ControlKind::Text:
            if (auto text = store.readText(control.setting)) return ControlValue(*text);
            return std::nullopt;
        case ControlKind::Option:
        case ControlKind::Check:
            if (auto flag = store.readFlag(control.setting)) return ControlValue(*flag);
            return std::nullopt;
        case ControlKind::Position:
            if (auto position = store.readInt(control.setting);
                position && *position >= -1 && *position < control.entries)
                return ControlValue(*position);
            return std::nullopt;
    }
    return std::nullopt;
}

std::string textOf(const ControlValue& value) {
    auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

bool flagOf(const ControlValue& value) {
    auto* flag = std::get_if<bool>(&value);
    return flag && *flag;
}

int positionOf(const ControlValue& value) {
    auto* position = std::get_if<int>(&value);
    return position ? *position : 0;
}

bool writeControlValue(SettingsStore& store, const ControlInfo& control, const ControlValue& value) {
    switch (control.kind) {
        case ControlKind::Text:
            return store.writeText(control.setting, textOf(value));
        case ControlKind::Option:
            return store.writeBool(control.setting, flagOf(value));
        case ControlKind::Check:
            return store.writeCheck(control.setting, flagOf(value));
        case ControlKind::Position:
            return store.writeInt(control.setting, positionOf(value));
    }
    return false;
}

void loadControls(const SettingsStore& store, std::span<const ControlInfo> order, ControlValues& controls) {
    for (const auto& control : order)
        if (auto value = readControlValue(store, control)) controls.set(control, *value);
}

void saveControls(SettingsStore& store, std::span<const ControlInfo> order, const ControlValues& controls) {
    for (const auto& control : order) writeControlValue(store, control, controls.get(control));
}

}  // namespace kelmar::settings
