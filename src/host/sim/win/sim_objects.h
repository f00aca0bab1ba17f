#pragma once
// The simulated host's automation objects over COM, each member by the DISPID
// the real host uses, answered by the objects of the Linux simulated host.

#include <memory>

#include "host/sim/sim_host.h"
#include "host/sim/win/sim_dispatch.h"

namespace kelmar::host::sim::win {

// The type information the event source hands out.
struct EventTypes {
    ITypeInfo* sourceClass = nullptr;    // coclass with the default source interface
    ITypeInfo* eventInterface = nullptr;  // the dispinterface itself
};

// Each returns a new object holding one reference; null objects in, null out.
IDispatch* makePartProgram(std::shared_ptr<PartProgram> program, ServerControls& controls);
IDispatch* makeCommand(std::shared_ptr<Command> command, ServerControls& controls);
IDispatch* makeApplication(std::shared_ptr<SimApplication> application, ServerControls& controls,
                           const EventTypes& types);

// The event source behind ApplicationEvents, defined in sim_events.cpp.
IDispatch* makeEventSource(std::shared_ptr<SimApplication> application, ServerControls& controls,
                           const EventTypes& types);

}  // namespace kelmar::host::sim::win
