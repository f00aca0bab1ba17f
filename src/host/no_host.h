#pragma once
// The host locator of a machine where no host runs.

#include "host/host_interface.h"

namespace kelmar::host {

class NoHostLocator final : public HostLocator {
public:
    bool HostWindowExists() const override { return false; }
    std::shared_ptr<HostApplication> GetApplication() override { throw HostError("no host is running"); }
    std::optional<std::string> ReadOption(const std::string&) const override { return std::nullopt; }
};

}  // namespace kelmar::host
