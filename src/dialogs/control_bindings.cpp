#include "dialogs/control_bindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace kelmar::dialogs {

void setOption(QRadioButton* option, bool selected) {
    if (selected || !option->isChecked()) {
        option->setChecked(selected);
        return;
    }
    // An exclusive option will not clear itself.
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void ControlBindings::bind(const settings::ControlInfo& control, QCheckBox* box) {
    bindings_[control.setting] = {[box] { return settings::ControlValue(box->isChecked()); },
                                  [box](const settings::ControlValue& v) { box->setChecked(settings::flagOf(v)); }};
}

void ControlBindings::bind(const settings::ControlInfo& control, QRadioButton* option) {
    bindings_[control.setting] = {
        [option] { return settings::ControlValue(option->isChecked()); },
        [option](const settings::ControlValue& v) { setOption(option, settings::flagOf(v)); }};
}

void ControlBindings::bind(const settings::ControlInfo& control, QComboBox* list) {
    bindings_[control.setting] = {[list] { return settings::ControlValue(list->currentIndex()); },
                                  [list](const settings::ControlValue& v) {
                                      int position = settings::positionOf(v);
                                      if (position >= -1 && position < list->count()) list->setCurrentIndex(position);
                                  }};
}

void ControlBindings::bind(const settings::ControlInfo& control, std::function<std::string()> get,
                           std::function<void(const std::string&)> set) {
    bindings_[control.setting] = {
        [get = std::move(get)] { return settings::ControlValue(get()); },
        [set = std::move(set)](const settings::ControlValue& v) { set(settings::textOf(v)); }};
}

settings::ControlValue ControlBindings::get(const settings::ControlInfo& control) const {
    auto it = bindings_.find(control.setting);
    return it != bindings_.end() ? it->second.get() : settings::ControlValue(std::string());
}

void ControlBindings::set(const settings::ControlInfo& control, const settings::ControlValue& value) {
    if (auto it = bindings_.find(control.setting); it != bindings_.end()) it->second.set(value);
}

}  // namespace kelmar::dialogs
