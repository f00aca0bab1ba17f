#pragma once
// A dialog's controls as named values: how each kind of control is read from and
// written to the settings store, so every dialog loads and saves alike.

#include "settings/settings_store.h"

#include <optional>
#include <span>
#include <string>
#include <variant>

namespace kelmar::settings {

enum class ControlKind {
    Text,      // a path or free text
    Option,    // an option button: a boolean
    Check,     // a check box: 0 or 1
    Position,  // a drop-down list: the position of the chosen entry, -1 while none is chosen
};

struct ControlInfo {
    const char* setting;  // the value name in the store
    ControlKind kind;
    int entries = 0;  // Position only: how many entries the list holds
};

// Text: std::string, Option and Check: bool, Position: int.
using ControlValue = std::variant<std::string, bool, int>;

// The value as its kind; a value of another kind gives the empty text, false or 0.
std::string textOf(const ControlValue& value);
bool flagOf(const ControlValue& value);
int positionOf(const ControlValue& value);

// The controls of one dialog, reached by their setting.
class ControlValues {
public:
    virtual ~ControlValues() = default;
    virtual ControlValue get(const ControlInfo& control) const = 0;
    // Only ever called with a value of the control's kind, a position within the list.
    virtual void set(const ControlInfo& control, const ControlValue& value) = 0;
};

// The stored value in the control's kind; nothing when missing, unreadable or outside the list.
// Check boxes also take the booleans other parts write into their values.
std::optional<ControlValue> readControlValue(const SettingsStore& store, const ControlInfo& control);

// Writes a value in its kind's text form; false when the store refused it.
bool writeControlValue(SettingsStore& store, const ControlInfo& control, const ControlValue& value);

// Fills the controls in the given order; a value that cannot be read leaves its control as it is.
void loadControls(const SettingsStore& store, std::span<const ControlInfo> order, ControlValues& controls);

// Writes the controls in the given order; a refused write does not stop the others.
void saveControls(SettingsStore& store, std::span<const ControlInfo> order, const ControlValues& controls);

}  // namespace kelmar::settings
