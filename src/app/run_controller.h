#pragma once
// Online mode and the end of a run: the switch, the host's events, the end of
// run with the automatic write, and the toolbar's offline import and export.

#include "app/frm_main_window.h"
#include "shell/kelmar_process.h"
#include "app/main_window_ports.h"
#include "capture/capture_context.h"
#include "qdas/clock.h"
#include "qdas/waiting_files.h"
#include "qdas/writer_context.h"

#include <functional>
#include <memory>
#include <vector>

namespace kelmar::app {

class RunController final : public host::HostEventSink {
public:
    RunController(shell::KelmarProcess& process, frmMainWindow& window, const qdas::Clock& clock);

    // Opens the data entry form; set by the application once the form exists.
    void setDataEntryOpener(std::function<void()> open) { openDataEntry_ = std::move(open); }

    void EventToggleOnline();
    // Switches online mode off when it is on, before a language change starts the program again.
    void leaveOnline();
    void EndeEinlesevorgang();
    // Toolbar "Offline" and "ASCII Export".
    void importOffline();
    void asciiExport();
    bool online() const;
    bool minimiseFlag() const { return process_.state.minimise; }

    void OnObjectExecuted(host::PartProgram& partProgram, host::Command& command) override;
    void OnEndExecution(host::PartProgram& partProgram, int terminationType) override;
    void OnClosePartProgram() override;

    // The contexts capture and the writer work in, built on the current state.
    capture::CaptureContext captureContext();
    qdas::WriterContext writerContext();
    bool writeFiles();

    // Measurements that wait, and their delivery again; called back after either changed them.
    std::vector<qdas::WaitingSet> waitingSets();
    qdas::Redelivery deliverWaiting();
    void setWaitingChanged(std::function<void()> changed) { onWaitingChanged_ = std::move(changed); }
    // Tells the user once when TempData or PartData of the program folder cannot be written.
    void checkProgramFolder();

private:
    void switchOn();
    void switchOff();
    void showOffline();
    int commandCount() const;
    void unbind();

    shell::KelmarProcess& process_;
    frmMainWindow& window_;
    MainWindowPorts ports_;
    const qdas::Clock& clock_;
    std::function<void()> openDataEntry_;
    std::function<void()> onWaitingChanged_;
};

}  // namespace kelmar::app
