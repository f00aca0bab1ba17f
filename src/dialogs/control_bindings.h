#pragma once
// A dialog's Qt controls reached by their setting, so the core can load, save,
// export and import them without knowing about widgets.

#include "settings/control_values.h"

#include <functional>
#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace kelmar::dialogs {

class ControlBindings final : public settings::ControlValues {
public:
    void bind(const settings::ControlInfo& control, QCheckBox* box);
    void bind(const settings::ControlInfo& control, QRadioButton* option);
    void bind(const settings::ControlInfo& control, QComboBox* list);
    void bind(const settings::ControlInfo& control, std::function<std::string()> get,
              std::function<void(const std::string&)> set);

    settings::ControlValue get(const settings::ControlInfo& control) const override;
    void set(const settings::ControlInfo& control, const settings::ControlValue& value) override;

private:
    struct Binding {
        std::function<settings::ControlValue()> get;
        std::function<void(const settings::ControlValue&)> set;
    };
    std::map<std::string, Binding> bindings_;
};

// A new control carrying its system name, so tests and captions find it.
template <class Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(name);
    return control;
}

// Selects an option (its partners drop out), or clears it, which leaves the group with none selected.
void setOption(QRadioButton* option, bool selected);

}  // namespace kelmar::dialogs
