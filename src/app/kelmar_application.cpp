#include "app/kelmar_application.h"
#include "app/process_from_environment.h"

#include "dialogs/frm_about.h"
#include "dialogs/frm_add_qdas_data.h"
#include "dialogs/frm_waiting_files.h"

#include <QGuiApplication>
#include "dialogs/frm_path_select.h"
#include "platform/product.h"
#include "dialogs/setup_dialogs.h"

namespace kelmar::app {

KelmarApplication::KelmarApplication(int argc, char** argv) {
    process_ = makeProcessFromEnvironment(argc, argv, [this](std::function<void()> call) { post(std::move(call)); });
    window_ = std::make_unique<frmMainWindow>(*process_);
    runs_ = std::make_unique<RunController>(*process_, *window_, clock_);
    dataEntry_ = std::make_unique<dialogs::DataEntryForm>(*process_, *window_);
    runs_->setDataEntryOpener([this] { dataEntry_->open(); });
    runs_->setWaitingChanged([this] { window_->showWaitingCount(static_cast<int>(runs_->waitingSets().size())); });
    window_->setActions({[this] { runs_->EventToggleOnline(); }, [this] { runs_->importOffline(); },
                         [this] { runs_->asciiExport(); }, [this](const std::string& name) { openDialog(name); },
                         [this] { runs_->leaveOnline(); }});
}

void KelmarApplication::openDialog(const std::string& name) {
    dialogs::DialogBase* dialog = nullptr;
    if (name == "menuAbout") {
        dialog = new dialogs::frm_About(*process_, *window_);
    } else if (name == "cmdPathSelect") {
        dialog = new dialogs::frmPathSelect(
            *process_, *window_, [this] { return window_->outputPath(); },
            [this](const std::string& path) { window_->setOutputPath(path); });
    } else if (name == "cmdWaitingFiles") {
        dialog = new dialogs::frm_WaitingFiles(*process_, *window_,
                                               {[this] { return runs_->waitingSets(); },
                                                [this] { return runs_->deliverWaiting(); }});
    } else if (name == "cmdQDASData") {
        dialog = new dialogs::frmAddQdasData(*process_, *window_, *dataEntry_);
    } else {
        dialog = dialogs::createSetupDialog(name, *process_, *window_);
    }
    if (dialog) dialog->open();
}

KelmarApplication::~KelmarApplication() = default;

void KelmarApplication::post(std::function<void()> call) {
    ++pending_;
    QTimer::singleShot(0, this, [this, call = std::move(call)] {
        --pending_;
        if (!process_->ending()) call();
    });
}

bool KelmarApplication::idle() const {
    if (pending_ > 0) return false;
    if (auto* sim = process_->simulatedHost()) return !(sim->application() && sim->application()->isExecuting());
    // A host in another process tells of its execution only through events: an online
    // run lasts until its end closes it.
    return !runs_->online();
}

void KelmarApplication::start() {
    QTimer::singleShot(0, this, [this] {
        if (!window_->startUp()) return;
        // Before any run: a program folder that refuses its files is told now, and what waits goes.
        runs_->checkProgramFolder();
        runs_->deliverWaiting();
        if (process_->unattended()) {
            watchForIdle();
            return;
        }
        // With a display, a person drives the simulated host from its own window.
        auto* sim = process_->simulatedHost();
        if (sim && sim->application() && QGuiApplication::platformName() != "offscreen") {
            simWindow_ = std::make_unique<SimControlWindow>(sim->application(), process_->state.codePage);
            simWindow_->placeBeside(*window_);
            simWindow_->show();
            // A form that start-up opened (/A) stays in front of the host's window.
            if (auto* form = dataEntry_->current(); form && form->isVisible()) {
                form->raise();
                form->activateWindow();
            }
        }
    });
}

void KelmarApplication::watchForIdle() {
    // Unattended, nobody will press a button: once nothing is pending, the program ends.
    idleTimer_.setInterval(20);
    connect(&idleTimer_, &QTimer::timeout, this, [this] {
        if (!idle()) {
            // A host that went away will not end the run: an automatic run then has failed.
            if (!process_->simulatedHost() && ++hostChecks_ % 50 == 0 && !process_->locator().HostWindowExists()) {
                idleTimer_.stop();
                process_->messages().error(platform::kApplicationTitle,
                                           process_->state.texts.text(settings::Text::HostEndedEarly));
                process_->endProgram(process_->state.args.automaticWrite() ? 1 : 0);
            }
            return;
        }
        if (!QApplication::activeModalWidget()) {
            idleTimer_.stop();
            process_->endProgram(0);
        }
    });
    idleTimer_.start();
}

}  // namespace kelmar::app
