#include "shell/kelmar_process.h"

#include "host/host_step.h"
#include "host/no_host.h"

#include <QCoreApplication>

namespace kelmar::shell {

KelmarProcess::KelmarProcess(ProcessState initial, ProcessParts parts)
    : state(std::move(initial)), parts_(std::move(parts)), settings_(*parts_.settingsBackend) {
    if (!parts_.locator) parts_.locator = std::make_shared<host::NoHostLocator>();
}

host::sim::SimHostLocator* KelmarProcess::simulatedHost() {
    return dynamic_cast<host::sim::SimHostLocator*>(parts_.locator.get());
}

void KelmarProcess::endProgram(int status) {
    if (ending_) return;
    ending_ = true;
    exitStatus_ = status;
    if (auto* app = state.connection.HostApplication.get()) host::tryStep([&] { app->UnbindEvents(); });
    if (auto* sim = simulatedHost(); sim && sim->application()) sim->application()->cancelExecution();
    OrvDisconnect(state.connection);
    QCoreApplication::exit(status);
}

}  // namespace kelmar::shell
