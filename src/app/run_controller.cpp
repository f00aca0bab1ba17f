#include "app/run_controller.h"

#include "capture/decimal_places.h"
#include "capture/offline_import.h"
#include "capture/online_capture.h"
#include "host/host_step.h"
#include "platform/paths.h"
#include "platform/product.h"
#include "qdas/qdas_writer.h"
#include "qdas/waiting_files.h"
#include "settings/setting_names.h"

#include <QProgressBar>

namespace kelmar::app {
namespace {

constexpr int kOnlineLine = 233;
constexpr int kOfflineLine = 234;

}  // namespace

RunController::RunController(shell::KelmarProcess& process, frmMainWindow& window, const qdas::Clock& clock)
    : process_(process), window_(window), ports_(window), clock_(clock) {}

capture::CaptureContext RunController::captureContext() {
    auto& s = process_.state;
    return capture::CaptureContext{s.run,
                                   process_.settings(),
                                   s.texts,
                                   process_.messages(),
                                   s.args,
                                   process_.locator(),
                                   ports_,
                                   s.connection.PartProgramFileName,
                                   [this] { EndeEinlesevorgang(); },
                                   [this] {
                                       if (openDataEntry_) openDataEntry_();
                                   }};
}

qdas::WriterContext RunController::writerContext() {
    auto& s = process_.state;
    qdas::WriterContext context{s.run,       process_.settings(), s.texts, process_.messages(),
                                process_.files(), s.args,      *s.connection.ActivePartProgram,
                                s.programFolder, clock_,       ports_};
    context.waitingFolder = platform::userWaitingFolder();
    return context;
}

std::vector<qdas::WaitingSet> RunController::waitingSets() {
    auto& s = process_.state;
    if (!s.connection.ActivePartProgram) return {};
    auto context = writerContext();
    return qdas::findWaitingSets(context.files, qdas::waitingFolders(context));
}

qdas::Redelivery RunController::deliverWaiting() {
    if (!process_.state.connection.ActivePartProgram) return {};
    auto context = writerContext();
    const qdas::Redelivery result = qdas::deliverWaitingSets(context);
    if (onWaitingChanged_) onWaitingChanged_();
    return result;
}

void RunController::checkProgramFolder() {
    if (!process_.state.connection.ActivePartProgram) return;
    auto context = writerContext();
    const std::string problem = qdas::checkProgramFolder(context);
    if (!problem.empty()) process_.messages().error(platform::kApplicationTitle, problem);
}

bool RunController::writeFiles() {
    auto& s = process_.state;
    if (!s.connection.ActivePartProgram) return false;
    auto context = writerContext();
    // Whatever the outcome, the number of waiting measurements may have changed.
    struct Recount {
        std::function<void()>& changed;
        ~Recount() {
            if (changed) changed();
        }
    } recount{onWaitingChanged_};
    if ((s.savedEntriesUnread || s.savedEntriesRefused) && s.args.automaticWrite()) {
        process_.messages().error(platform::kApplicationTitle,
                                  s.texts.text(s.savedEntriesRefused ? settings::Text::SavedEntriesRefused
                                                                     : settings::Text::SavedEntriesNoPartData));
        context.keepInTempData = true;
    }
    return qdas::WriteQdasFiles(context);
}

bool RunController::online() const { return window_.statusText(1) == process_.state.texts.line(kOnlineLine); }

int RunController::commandCount() const {
    auto& program = process_.state.connection.ActivePartProgram;
    if (!program) return 0;
    return host::readOr([&] { return program->GetCommands()->Count(); }, 0);
}

void RunController::unbind() {
    if (auto& app = process_.state.connection.HostApplication) host::tryStep([&] { app->UnbindEvents(); });
}

void RunController::EventToggleOnline() {
    if (auto minimise = process_.settings().readFlag(settings::names::Minimize)) process_.state.minimise = *minimise;
    auto& program = process_.state.connection.ActivePartProgram;
    std::string name = program ? host::readOr([&] { return program->Name(); }, std::string()) : std::string();
    if (name.empty()) {
        process_.messages().error(platform::kApplicationTitle,
                                  process_.state.texts.text(settings::Text::CannotAchievePartProgram));
        return;
    }
    if (!online())
        switchOn();
    else
        switchOff();
}

void RunController::leaveOnline() {
    if (online()) switchOff();
}

void RunController::switchOn() {
    auto& s = process_.state;
    try {
        s.connection.HostApplication->BindEvents(*this);
    } catch (const host::HostError& e) {
        // Online mode stays off; offline import still works without the events.
        process_.messages().error(platform::kApplicationTitle,
                                  s.texts.text(settings::Text::EventsCannotBeBound, {e.what()}));
        return;
    }
    s.run.resetForOnlineStart();
    s.run.state.StatCmdSupport = process_.settings().readFlag(settings::names::StatCmds).value_or(false);
    s.run.state.DecimalPlaces = capture::decimalPlacesFromHost(process_.locator());
    window_.setStatusText(1, s.texts.line(kOnlineLine));
    s.online = true;
    window_.showOnline(true);
    QProgressBar* bar = window_.progressBar();
    bar->setValue(0);
    bar->setMinimum(0);
    bar->setMaximum(commandCount());
    bar->setValue(0);
    bar->setVisible(true);
    window_.clearRunDisplay();
    if (openDataEntry_) openDataEntry_();
}

void RunController::switchOff() {
    unbind();
    showOffline();
    window_.showNormal();
}

void RunController::showOffline() {
    process_.state.online = false;
    window_.setStatusText(1, process_.state.texts.line(kOfflineLine));
    window_.showOnline(false);
}

void RunController::OnObjectExecuted(host::PartProgram& partProgram, host::Command& command) {
    auto context = captureContext();
    capture::OnObjectExecuted(context, partProgram, command);
}

void RunController::OnEndExecution(host::PartProgram&, int terminationType) {
    if (terminationType != 1 &&
        process_.messages().askYesNo(platform::kExecutableName,
                                     process_.state.texts.text(settings::Text::PartProgramCanceled))) {
        process_.endProgram(0);
        return;
    }
    if (!process_.state.run.state.StatCmdSupport) {
        EndeEinlesevorgang();
        return;
    }
    // Only the part program's statistics transfer closes the run; an automatic run that never
    // got one has written nothing and must not look like a success.
    if (online() && process_.state.args.automaticWrite()) {
        process_.messages().error(platform::kApplicationTitle,
                                  process_.state.texts.text(settings::Text::NoStatisticsTransfer));
        if (process_.unattended()) process_.endProgram(1);
    }
}

void RunController::OnClosePartProgram() { EventToggleOnline(); }

void RunController::EndeEinlesevorgang() {
    auto& s = process_.state;
    unbind();
    window_.setStatusText(2, s.texts.text(settings::Text::StatisticsOff));
    s.run.state.CaptureOn = false;
    showOffline();
    QProgressBar* bar = window_.progressBar();
    bar->setValue(std::min(commandCount(), bar->maximum()));
    bar->setVisible(false);
    if (s.run.qdasDataUpper() < s.run.CharacteristicCount()) s.run.growQdasData(window_.listModel().count());
    window_.showCurrentCharacteristic();

    if (s.args.count() >= 1 && s.args.automaticWrite()) {
        if (writeFiles()) {
            shell::OrvDisconnect(s.connection);
            process_.endProgram(0);
            return;
        }
        // Nobody is there to read the writer's message and try again.
        if (process_.unattended()) {
            process_.endProgram(1);
            return;
        }
    }
    if (s.minimise) window_.showNormal();
}

void RunController::importOffline() {
    process_.state.minimise = false;
    auto& connection = process_.state.connection;
    // The details of an earlier run must not stay beside the new list.
    window_.clearRunDisplay();
    auto context = captureContext();
    if (!connection.attached() ||
        !capture::fctGetValuesOffline(context, *connection.HostApplication, *connection.ActivePartProgram)) {
        process_.messages().show(platform::MessageKind::Plain, platform::kApplicationTitle,
                                 process_.state.texts.text(settings::Text::ValueCannotBeRead));
        process_.endProgram(1);
        return;
    }
    window_.showCurrentCharacteristic();
}

void RunController::asciiExport() {
    if (!writeFiles()) return;
    shell::OrvDisconnect(process_.state.connection);
    process_.endProgram(0);
}

}  // namespace kelmar::app
