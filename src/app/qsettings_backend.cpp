#include "app/qsettings_backend.h"

#include <QVariant>

namespace kelmar::app {
namespace {

// The store's sub-key separator is "\"; QSettings groups with "/".
QString keyOf(const std::string& name) {
    QString key = QString::fromStdString(name);
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key;
}

}  // namespace

QSettingsBackend::QSettingsBackend(const QString& iniPath, platform::CodePage codePage)
    : settings_(iniPath, QSettings::IniFormat), codePage_(codePage) {}

std::optional<std::string> QSettingsBackend::read(const std::string& name) {
    QString key = keyOf(name);
    if (key.isEmpty() || settings_.status() == QSettings::AccessError || !settings_.contains(key)) return std::nullopt;
    QVariant value = settings_.value(key);
    // A hand-edited text with a comma ("a, b") reads back as a list: take it as the text it was.
    QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                             : value.toString();
    return platform::fromUtf8(text.toStdString(), codePage_);
}

bool QSettingsBackend::write(const std::string& name, const std::string& value) {
    QString key = keyOf(name);
    if (key.isEmpty()) return false;
    settings_.setValue(key, QString::fromStdString(platform::toUtf8(value, codePage_)));
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

}  // namespace kelmar::app
