#pragma once
// Binding the host's ApplicationEvents: the source interface and the event
// DISPIDs come from the host's own type information, found by walking its
// functions (a remote type info cannot look names up), and a sink object
// hands the events to the HostEventSink on the thread of the apartment.

#include <ocidl.h>

#include <memory>

#include "host/host_interface.h"
#include "host/win/dispatch.h"

namespace kelmar::host::win {

class EventSinkObject;

class EventBinding {
public:
    // Advises a sink on source; throws HostError saying why when the events cannot be bound.
    static std::unique_ptr<EventBinding> bind(const DispatchObject& source, HostEventSink& sink);
    // Detaches the sink at once and unadvises, a failure ignored (the host may be gone).
    ~EventBinding();
    EventBinding(const EventBinding&) = delete;
    EventBinding& operator=(const EventBinding&) = delete;

private:
    EventBinding(ComRef<IConnectionPoint> point, EventSinkObject* sink, DWORD cookie);

    ComRef<IConnectionPoint> point_;
    EventSinkObject* sink_;  // one reference held
    DWORD cookie_;
};

}  // namespace kelmar::host::win
