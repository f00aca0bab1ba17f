#include "settings/setup_file.h"

#include "platform/paths.h"
#include "settings/quoted_list_file.h"
#include "settings/setup_values.h"

namespace kelmar::settings {
namespace {

std::string formatField(const ControlInfo& control, const ControlValue& value) {
    switch (control.kind) {
        case ControlKind::Text:
            return quotedText(textOf(value));
        case ControlKind::Option:
            return quotedBool(flagOf(value));
        case ControlKind::Check:
            return quotedInt(flagOf(value) ? 1 : 0);
        case ControlKind::Position:
            return quotedInt(positionOf(value));
    }
    return {};
}

}  // namespace

std::string setupSettingsFilePath(const std::string& programFolder) {
    return platform::joinPath(programFolder, "OutputFile_Settings.cfg");
}

std::string formatSetupFile(const ControlValues& controls) {
    std::vector<std::string> lines;
    for (const auto& control : setup::fileOrder()) lines.push_back(formatField(control, controls.get(control)));
    return joinQuotedLines(lines);
}

std::optional<ControlValue> setupFieldValue(const ControlInfo& control, const std::string& field) {
    switch (control.kind) {
        case ControlKind::Text:
            return ControlValue(field);
        case ControlKind::Option:
            if (auto flag = parseFlag(field)) return ControlValue(*flag);
            return std::nullopt;
        case ControlKind::Check:
            if (auto number = readQuotedInt16(field)) return ControlValue(*number != 0);
            return std::nullopt;
        case ControlKind::Position:
            if (auto number = readQuotedInt16(field); number && *number >= -1 && *number < control.entries)
                return ControlValue(*number);
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::vector<std::optional<ControlValue>>> parseSetupFile(const std::string& content) {
    auto order = setup::fileOrder();
    auto fields = readQuotedFields(content, order.size());
    std::vector<std::optional<ControlValue>> values(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        if (fields[i]) values[i] = setupFieldValue(order[i], *fields[i]);
        if (!values[i] && i < kSetupRequiredLines) return std::nullopt;
    }
    return values;
}

bool ExportSetupFile(platform::FileSystem& files, const std::string& path, const ControlValues& controls) {
    return files.writeFile(path, formatSetupFile(controls));
}

bool ImportSetupFile(platform::FileSystem& files, const std::string& path, ControlValues& controls) {
    auto content = files.readFileUpTo(path, kMaxQuotedListFileBytes);
    if (!content) return false;
    auto values = parseSetupFile(*content);
    if (!values) return false;
    auto order = setup::fileOrder();
    for (size_t i = 0; i < order.size(); ++i)
        if ((*values)[i]) controls.set(order[i], *(*values)[i]);
    return true;
}

}  // namespace kelmar::settings
