#pragma once
// Where settings live: the registry on Windows, an INI file elsewhere, memory in tests.
// Names are value names under the root; "K_Fields_Settings\K0006" lies one level deeper.

#include <map>
#include <optional>
#include <string>

namespace kelmar::settings {

class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    // The stored text, or nothing when the value does not exist or cannot be read.
    virtual std::optional<std::string> read(const std::string& name) = 0;
    // Creates or replaces the value; false when it could not be stored. Never throws.
    virtual bool write(const std::string& name, const std::string& value) = 0;
};

class MemorySettingsBackend final : public SettingsBackend {
public:
    std::optional<std::string> read(const std::string& name) override;
    bool write(const std::string& name, const std::string& value) override;

    // Test hooks: what is held, and making every write fail.
    const std::map<std::string, std::string>& values() const { return values_; }
    void setWritable(bool writable) { writable_ = writable; }
    void setReadable(bool readable) { readable_ = readable; }

private:
    std::map<std::string, std::string> values_;
    bool writable_ = true;
    bool readable_ = true;
};

}  // namespace kelmar::settings
