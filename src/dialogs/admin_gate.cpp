#include "dialogs/admin_gate.h"

#include "host/host_step.h"
#include "platform/product.h"

namespace kelmar::dialogs {

bool adminGate(shell::KelmarProcess& process) {
    const auto& host = process.state.connection.HostApplication;
    bool rights = host && host::readOr([&] { return host->AdminFlag(); }, false);
    if (!rights)
        process.messages().information(platform::kExecutableName,
                                       process.state.texts.text(settings::Text::NoAdministratorPrivileges));
    return rights;
}

}  // namespace kelmar::dialogs
