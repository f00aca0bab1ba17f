#pragma once
// Attaching to the running host, the part information of the active part
// program, and releasing the host objects before the program ends.

#include "host/host_interface.h"
#include "platform/messages.h"
#include "settings/language_texts.h"

#include <memory>
#include <string>

namespace kelmar::shell {

// The host references every other piece works with.
struct HostConnection {
    std::shared_ptr<host::HostApplication> HostApplication;
    // The part program that was active at attach time; kept even when the host opens another.
    std::shared_ptr<host::PartProgram> ActivePartProgram;
    std::string PartProgramFileName;

    bool attached() const { return HostApplication && ActivePartProgram; }
};

// What attaching needs.
struct ConnectionContext {
    host::HostLocator& locator;
    platform::Messages& messages;
    const settings::LanguageTexts& texts;
};

// Finds the host and its active part program; shows the message and returns false when either is missing.
bool OrvConnect(HostConnection& connection, ConnectionContext& context);

// The serial number, part name and revision of the active part program, trimmed;
// an empty or unreadable value is reported and gives an empty text.
std::string GetSerialNumber(const HostConnection& connection, ConnectionContext& context);
std::string GetPartName(const HostConnection& connection, ConnectionContext& context);
std::string GetPartRevision(const HostConnection& connection, ConnectionContext& context);

// Releases the host objects; always true.
bool OrvDisconnect(HostConnection& connection);

}  // namespace kelmar::shell
