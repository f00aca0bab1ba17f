#pragma once
// The running program: the process object, the main window, the queue the
// simulated host posts its executions on, and the unattended end.

#include "app/frm_main_window.h"
#include "shell/kelmar_process.h"
#include "app/run_controller.h"
#include "app/sim_control_window.h"
#include "dialogs/frm_dateneingabe.h"
#include "qdas/clock.h"

#include <QObject>
#include <QApplication>
#include <QTimer>

#include <memory>

namespace kelmar::app {

class KelmarApplication final : public QObject {
    Q_OBJECT

public:
    KelmarApplication(int argc, char** argv);
    ~KelmarApplication() override;

    // Start-up runs on the event loop, so ending from inside it leaves the loop cleanly.
    void start();

    shell::KelmarProcess& process() { return *process_; }
    frmMainWindow& mainWindow() { return *window_; }
    RunController& runs() { return *runs_; }
    // A call queued on the event loop (the simulated host's executions).
    void post(std::function<void()> call);
    bool idle() const;

private:
    void watchForIdle();
    void openDialog(const std::string& name);

    int pending_ = 0;
    int hostChecks_ = 0;
    std::unique_ptr<shell::KelmarProcess> process_;
    std::unique_ptr<frmMainWindow> window_;
    qdas::SystemClock clock_;
    std::unique_ptr<RunController> runs_;
    // Destroyed before the window it hides and shows.
    std::unique_ptr<dialogs::DataEntryForm> dataEntry_;
    std::unique_ptr<SimControlWindow> simWindow_;
    QTimer idleTimer_;
};

}  // namespace kelmar::app
