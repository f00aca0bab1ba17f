// The main window's start-up: language texts, the host, the part information, the command line.

#include "app/frm_main_window.h"
#include "app/frm_main_window_design.h"

#include "dialogs/fitted_controls.h"
#include "host/host_step.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "settings/setting_names.h"


namespace kelmar::app {

using namespace main_window;
namespace names = settings::names;

bool frmMainWindow::startUp() {
    auto& state = process_.state;
    setWindowTitle(QString::fromStdString(versionCaption()));
    // The settings store counts as open from the first start-up's step 4 on.
    settings::LanguageContext language{process_.files(), process_.messages(), state.programFolder,
                                       shellCreated_ ? &process_.settings() : nullptr,
                                       [this](const std::string& s) { setStatusText(1, s); }};
    if (!settings::LoadLanguageTexts(state.texts, language)) {
        process_.endProgram(1);
        return false;
    }
    show();
    repaint();
    shellCreated_ = true;

    shell::ConnectionContext connection{process_.locator(), process_.messages(), state.texts};
    if (!shell::OrvConnect(state.connection, connection)) {
        process_.endProgram(1);
        return false;
    }
    checkHostVersion();
    widgets_.at("lblOrvFileName")->setProperty("text", hostText(state.connection.PartProgramFileName));
    widgets_.at("lblOrvPartName")->setProperty("text", hostText(shell::GetPartName(state.connection, connection)));
    widgets_.at("lblOrvRevNumber")->setProperty("text", hostText(shell::GetPartRevision(state.connection, connection)));
    widgets_.at("lblOrvSerNumber")->setProperty("text", hostText(shell::GetSerialNumber(state.connection, connection)));
    applyCaptions();
    markLanguage(process_.settings().languageNumber());
    askForCatalog();
    applyOutputFrame();
    auto& store = process_.settings();
    state.run.DimensionNumber = store.readFlagOr(names::DimensionNumber, false, true);
    state.run.DimensionName = store.readFlagOr(names::DimensionName, false, true);

    std::vector<const char*> argv;
    for (const auto& arg : state.argv) argv.push_back(arg.c_str());
    state.args = platform::commandLineFromArgv(static_cast<int>(argv.size()), argv.data(), 2);
    if (state.args.automaticOnline() && !restarting_ && actions_.toggleOnline) actions_.toggleOnline();
    return true;
}

void frmMainWindow::checkHostVersion() {
    auto& app = *process_.state.connection.HostApplication;
    std::string version = std::to_string(host::readOr([&] { return app.MajorVersion(); }, 0)) + "." +
                          std::to_string(host::readOr([&] { return app.MinorVersion(); }, 0));
    if (version == "4.2" || version == "4.3" || version == "2009.0") return;
    const auto& t = process_.state.texts;
    process_.messages().information(platform::kApplicationTitle,
                                    t.line(245) + "\n" + t.line(246) + version + "\n" + t.line(247));
}

void frmMainWindow::askForCatalog() {
    auto& store = process_.settings();
    auto catalog = store.readText(names::CatalogPathName);
    if (catalog && !platform::trimBlanks(*catalog).empty()) return;
    const auto& t = process_.state.texts;
    process_.messages().information(platform::kApplicationTitle, t.line(243) + "\n" + t.line(242));
    auto chosen = process_.dialogs().openFile(t.line(244), platform::joinPath(process_.state.programFolder, "Catalogs"),
                                              t.text(settings::Text::CatalogFileFilter));
    store.writeText(names::CatalogPathName, chosen.value_or(""));
}

void frmMainWindow::applyOutputFrame() {
    auto& store = process_.settings();
    bool select = store.readFlag(names::SelectFolder).value_or(false);
    if (select) {
        if (auto last = store.readText(names::LastSelectedPath)) setOutputPath(*last);
    }
    showOutputFrame(select);
}

}  // namespace kelmar::app
