// OutputFile_Settings.cfg: an imported file exports to a file that imports the same.
#include <cstdint>
#include <map>

#include "fuzz_support.h"
#include "settings/setup_file.h"
#include "settings/setup_values.h"

using namespace kelmar;

namespace {

class MapControls final : public settings::ControlValues {
public:
    settings::ControlValue get(const settings::ControlInfo& control) const override {
        auto found = values.find(control.setting);
        if (found != values.end()) return found->second;
        switch (control.kind) {
            case settings::ControlKind::Text:
                return std::string();
            case settings::ControlKind::Option:
            case settings::ControlKind::Check:
                return false;
            case settings::ControlKind::Position:
                return -1;
        }
        return {};
    }
    void set(const settings::ControlInfo& control, const settings::ControlValue& value) override {
        values[control.setting] = value;
    }
    std::map<std::string, settings::ControlValue> values;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    auto values = settings::parseSetupFile(content);
    if (!values) return 0;
    MapControls controls;
    auto order = settings::setup::fileOrder();
    for (std::size_t i = 0; i < order.size(); ++i)
        if ((*values)[i]) controls.set(order[i], *(*values)[i]);
    const std::string exported = settings::formatSetupFile(controls);
    auto again = settings::parseSetupFile(exported);
    if (!again) fuzz::propertyFailed("an exported file does not import");
    MapControls reread;
    for (std::size_t i = 0; i < order.size(); ++i)
        if ((*again)[i]) reread.set(order[i], *(*again)[i]);
    if (settings::formatSetupFile(reread) != exported) fuzz::propertyFailed("export, import and export differ");
    return 0;
}
