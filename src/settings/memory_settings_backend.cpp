#include "settings/settings_backend.h"

namespace kelmar::settings {

std::optional<std::string> MemorySettingsBackend::read(const std::string& name) {
    if (!readable_) return std::nullopt;
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemorySettingsBackend::write(const std::string& name, const std::string& value) {
    if (!writable_) return false;
    values_[name] = value;
    return true;
}

}  // namespace kelmar::settings
