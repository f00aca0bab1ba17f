// Until the main window arrives, the program does its start-up without a
// window: texts, settings, the host, the command line, and says what it found.

#include "app/qsettings_backend.h"
#include "host/sim/sim_host.h"
#include "host/sim/sim_host_file.h"
#include "platform/command_line.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "settings/language_texts.h"

#include <QCoreApplication>

#include <cstdlib>
#include <deque>
#include <iostream>

using namespace kelmar;

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    const platform::CodePage codePage = platform::installationCodePage();
    const std::string folder = platform::programFolder(argc > 0 ? argv[0] : nullptr);
    auto files = platform::makeDiskFileSystem();
    platform::UnattendedMessages messages(std::cerr, codePage);

    settings::LanguageTexts texts;
    settings::LanguageContext languageContext{*files, messages, folder, nullptr, {}};
    if (!settings::LoadLanguageTexts(texts, languageContext)) return 1;

    app::QSettingsBackend backend(QString::fromStdString(platform::settingsFilePath(folder)), codePage);
    settings::SettingsStore store(backend);

    const char* simFile = std::getenv("ORVELAN_SIM");
    std::string error;
    std::optional<host::sim::HostModel> model;
    if (simFile && *simFile) {
        model = host::sim::loadHostFile(*files, simFile, codePage, error);
        if (!model) {
            messages.error(platform::kApplicationTitle, error);
            return 1;
        }
    }
    std::deque<std::function<void()>> posted;
    host::sim::SimHostLocator locator(model.value_or(host::sim::HostModel{}),
                                      [&](std::function<void()> f) { posted.push_back(std::move(f)); });
    if (!model || !locator.HostWindowExists()) {
        messages.error(platform::kApplicationTitle, texts.line(273) + "\n" + texts.line(274) + " 'OrvConnect1'");
        return 1;
    }
    std::shared_ptr<host::PartProgram> program;
    try {
        program = locator.GetApplication()->ActivePartProgram();
    } catch (const host::HostError&) {
    }
    if (!program) {
        messages.error(platform::kApplicationTitle, texts.line(275) + "\n" + texts.line(274) + " 'OrvConnect2'");
        return 1;
    }

    auto args = platform::commandLineFromArgv(argc, argv, 2);
    std::cout << texts.line(177) << ' ' << platform::kVersion << "\n"
              << "Program folder: " << folder << "\n"
              << "Part program: " << program->FullName() << " (" << program->GetCommands()->Count()
              << " commands)\n"
              << "Language: " << settings::languageBaseName(store.languageNumber()) << "\n"
              << "Automatic run requested: " << (args.automaticWrite() ? "yes" : "no") << "\n"
              << "The main window, capture and the Q-DAS writer are not built yet; nothing was written.\n";
    return 0;
}
