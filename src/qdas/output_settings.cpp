#include "qdas/output_settings.h"

#include "settings/setting_names.h"

namespace kelmar::qdas {

namespace names = settings::names;

std::optional<OutputSettings> readOutputSettings(const settings::SettingsStore& store) {
    OutputSettings out;
    const char* codeNames[] = {names::FileName1, names::FileName2, names::FileName3, names::FileName4,
                               names::FileName5};
    for (int k = 0; k < 5; ++k) {
        auto code = store.readInt(codeNames[k]);
        if (!code) return std::nullopt;
        out.codes.FileName[k] = *code;
    }
    auto separator = store.readInt(names::SEPERATOR);
    auto dir = store.readText(names::DIR);
    auto counter = store.readFlag(names::FileCounter);
    auto selectFolder = store.readFlag(names::SelectFolder);
    auto partProgFolder = store.readFlag(names::PartProgFolder);
    auto useFolders = store.readFlag(names::UseFolders);
    // The rule is a naming setting like the others: without it no name can be built.
    auto applicationRule = store.readFlag(names::FileNameRule0);
    if (!separator || !dir || !counter || !selectFolder || !partProgFolder || !useFolders || !applicationRule)
        return std::nullopt;
    out.codes.SEPERATOR = *separator;
    out.DIR = *dir;
    out.FileCounter = *counter;
    out.SelectFolder = *selectFolder;
    out.PartProgFolder = *partProgFolder;
    out.UseFolders = *useFolders;
    out.rule = *applicationRule ? FileNameRule::Application : FileNameRule::GM;
    return out;
}

}  // namespace kelmar::qdas
