#pragma once
// Finding the running host on Windows: its main window, its application object
// in the running object table, and its own options in the user's registry.

#include <memory>
#include <optional>
#include <string>

#include "host/host_interface.h"
#include "platform/code_page.h"

namespace kelmar::host::win {

class ComSession;

class ComHostLocator final : public HostLocator {
public:
    // Enters the apartment on the calling thread, which must be the UI thread,
    // before any window is created; it is left when the last host object is gone.
    explicit ComHostLocator(platform::CodePage codePage);
    ~ComHostLocator() override;

    bool HostWindowExists() const override;
    std::shared_ptr<HostApplication> GetApplication() override;
    // HKEY_CURRENT_USER\Software\TSI\ORVELAN\Option\<name>, read only; REG_SZ or REG_DWORD.
    std::optional<std::string> ReadOption(const std::string& name) const override;

private:
    std::shared_ptr<ComSession> session_;
};

}  // namespace kelmar::host::win
