#include "app/kelmar_application.h"

namespace kelmar::app {

KelmarApplication::KelmarApplication(int argc, char** argv) {
    process_ = makeProcessFromEnvironment(argc, argv, [this](std::function<void()> call) { post(std::move(call)); });
    window_ = std::make_unique<frmMainWindow>(*process_);
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
    auto* sim = process_->simulatedHost();
    return !(sim && sim->application() && sim->application()->isExecuting());
}

void KelmarApplication::start() {
    QTimer::singleShot(0, this, [this] {
        if (!window_->startUp()) return;
        if (process_->unattended()) watchForIdle();
    });
}

void KelmarApplication::watchForIdle() {
    // Unattended, nobody will press a button: once nothing is pending, the program ends.
    idleTimer_.setInterval(20);
    connect(&idleTimer_, &QTimer::timeout, this, [this] {
        if (idle() && !QApplication::activeModalWidget()) {
            idleTimer_.stop();
            process_->endProgram(0);
        }
    });
    idleTimer_.start();
}

}  // namespace kelmar::app
