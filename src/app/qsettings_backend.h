#pragma once
// The settings store of platforms without a registry: an INI file written by QSettings.
// Values under the root are keys of [General]; "K_Fields_Settings\..." keys of [K_Fields_Settings].

#include "platform/code_page.h"
#include "settings/settings_backend.h"

#include <QSettings>
#include <QString>

namespace kelmar::app {

class QSettingsBackend final : public settings::SettingsBackend {
public:
    QSettingsBackend(const QString& iniPath, platform::CodePage codePage);

    std::optional<std::string> read(const std::string& name) override;
    bool write(const std::string& name, const std::string& value) override;

private:
    QSettings settings_;
    platform::CodePage codePage_;
};

}  // namespace kelmar::app
