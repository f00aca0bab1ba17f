#include "host/win/events.h"

#include <ocidl.h>

#include <cwchar>
#include <utility>

#include "host/win/com_object.h"
#include "host/win/objects.h"

namespace kelmar::host::win {

// Where each event arrives; DISPID_UNKNOWN until found by name.
struct EventIds {
    IID iid = IID_NULL;
    DISPID objectExecuted = DISPID_UNKNOWN;
    DISPID endExecution = DISPID_UNKNOWN;
    DISPID closePartProgram = DISPID_UNKNOWN;
};

class EventSinkObject final : public ComObject<IDispatch> {
public:
    EventSinkObject(EventIds ids, HostEventSink& target, std::shared_ptr<ComSession> session)
        : ComObject(IID_IDispatch), ids_(ids), target_(&target), session_(std::move(session)) {}

    void detach() { target_ = nullptr; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        // Nothing may unwind into the host: a handler's failure stays here.
        try {
            deliver(id, params);
        } catch (...) {
        }
        return S_OK;
    }

private:
    ~EventSinkObject() override = default;

    // A source without a registered type library asks for IDispatch, one with it for the event IID.
    void* extraInterface(REFIID iid) override {
        return IsEqualIID(iid, ids_.iid) ? static_cast<IDispatch*>(this) : nullptr;
    }

    // Argument i counted from the first, as the event declares them.
    const VARIANT* argument(const DISPPARAMS* params, UINT i) const {
        if (!params || i >= params->cArgs) return nullptr;
        return &params->rgvarg[params->cArgs - 1 - i];
    }

    DispatchObject objectArgument(const DISPPARAMS* params, UINT i, const char* name) const {
        const VARIANT* v = argument(params, i);
        return DispatchObject(v ? objectOf(*v, name) : ComRef<IDispatch>(), session_, name);
    }

    void deliver(DISPID id, const DISPPARAMS* params) {
        // A handler may unbind, or release the whole connection; the sink is looked up each time.
        if (!target_) return;
        if (id == ids_.objectExecuted) {
            ComPartProgram program(objectArgument(params, 0, "PartProgram"));
            ComCommand command(objectArgument(params, 1, "Command"));
            target_->OnObjectExecuted(program, command);
        } else if (id == ids_.endExecution) {
            ComPartProgram program(objectArgument(params, 0, "PartProgram"));
            const VARIANT* type = argument(params, 1);
            target_->OnEndExecution(program, type ? wholeOf(*type, "OnEndExecution.terminationType") : 0);
        } else if (id == ids_.closePartProgram) {
            target_->OnClosePartProgram();
        }
        // A host that died under a handler sends no end of execution: the run ends here, as not completed.
        if (target_ && session_->hostLost()) {
            HostEventSink* target = std::exchange(target_, nullptr);
            ComPartProgram gone(DispatchObject(ComRef<IDispatch>(), session_, "PartProgram"));
            target->OnEndExecution(gone, 0);
        }
    }

    EventIds ids_;
    HostEventSink* target_;
    std::shared_ptr<ComSession> session_;
};

namespace {

// The event DISPIDs by name, walking the functions: GetIDsOfNames on a remote type info fails.
void readEventIds(ITypeInfo& info, EventIds& ids) {
    TYPEATTR* attr = nullptr;
    if (FAILED(info.GetTypeAttr(&attr)) || !attr) throw HostError("the host's event interface cannot be read");
    ids.iid = attr->guid;
    const WORD functions = attr->cFuncs;
    info.ReleaseTypeAttr(attr);
    for (WORD i = 0; i < functions; ++i) {
        FUNCDESC* desc = nullptr;
        if (FAILED(info.GetFuncDesc(i, &desc)) || !desc) continue;
        const MEMBERID memid = desc->memid;
        info.ReleaseFuncDesc(desc);
        BSTR name = nullptr;
        UINT count = 0;
        if (FAILED(info.GetNames(memid, &name, 1, &count)) || count == 0) continue;
        if (std::wcscmp(name, L"OnObjectExecuted") == 0) ids.objectExecuted = memid;
        if (std::wcscmp(name, L"OnEndExecution") == 0) ids.endExecution = memid;
        if (std::wcscmp(name, L"OnClosePartProgram") == 0) ids.closePartProgram = memid;
        SysFreeString(name);
    }
}

// The default source interface of the source's class, when it tells its class.
ComRef<ITypeInfo> sourceInterfaceFromClassInfo(IDispatch& source) {
    ComRef<IProvideClassInfo> provider;
    ComRef<ITypeInfo> coclass;
    if (FAILED(source.QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(provider.put()))) ||
        FAILED(provider->GetClassInfo(coclass.put())) || !coclass)
        return {};
    TYPEATTR* attr = nullptr;
    if (FAILED(coclass->GetTypeAttr(&attr)) || !attr) return {};
    const WORD implemented = attr->cImplTypes;
    coclass->ReleaseTypeAttr(attr);
    ComRef<ITypeInfo> found;
    for (WORD i = 0; i < implemented; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FSOURCE)) continue;
        if (FAILED(coclass->GetRefTypeOfImplType(i, &ref))) continue;
        ComRef<ITypeInfo> candidate;
        if (FAILED(coclass->GetRefTypeInfo(ref, candidate.put()))) continue;
        const bool preferred = (flags & IMPLTYPEFLAG_FDEFAULT) != 0;
        if (preferred || !found) found = candidate;
        if (preferred) break;
    }
    return found;
}

// Without class information: the interface of the first connection point, looked up in
// the type library the source's own type information belongs to.
ComRef<ITypeInfo> sourceInterfaceFromConnectionPoint(IDispatch& source, IConnectionPointContainer& container,
                                                     IID& iid) {
    ComRef<IEnumConnectionPoints> points;
    ComRef<IConnectionPoint> point;
    ULONG fetched = 0;
    if (FAILED(container.EnumConnectionPoints(points.put())) || !points ||
        points->Next(1, point.put(), &fetched) != S_OK || fetched != 1 || FAILED(point->GetConnectionInterface(&iid)))
        throw HostError("ApplicationEvents offers no connection point");
    ComRef<ITypeInfo> own;
    ComRef<ITypeLib> library;
    ComRef<ITypeInfo> events;
    UINT index = 0;
    if (SUCCEEDED(source.GetTypeInfo(0, LOCALE_USER_DEFAULT, own.put())) && own &&
        SUCCEEDED(own->GetContainingTypeLib(library.put(), &index)) && library)
        library->GetTypeInfoOfGuid(iid, events.put());
    return events;
}

}  // namespace

std::unique_ptr<EventBinding> EventBinding::bind(const DispatchObject& source, HostEventSink& sink) {
    IDispatch& events = *source.raw();
    ComRef<IConnectionPointContainer> container;
    HRESULT hr = events.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()));
    if (FAILED(hr)) throw hostError("ApplicationEvents is no event source", hr);

    EventIds ids;
    ComRef<ITypeInfo> info = sourceInterfaceFromClassInfo(events);
    if (!info) info = sourceInterfaceFromConnectionPoint(events, *container, ids.iid);
    if (!info) throw HostError("the host gives no type information for its events");
    readEventIds(*info, ids);
    if (ids.objectExecuted == DISPID_UNKNOWN || ids.endExecution == DISPID_UNKNOWN ||
        ids.closePartProgram == DISPID_UNKNOWN)
        throw HostError("the host's event interface lacks OnObjectExecuted, OnEndExecution or OnClosePartProgram");

    ComRef<IConnectionPoint> point;
    hr = container->FindConnectionPoint(ids.iid, point.put());
    if (FAILED(hr)) throw hostError("ApplicationEvents has no connection point for its events", hr);
    auto* object = new EventSinkObject(ids, sink, source.session());
    DWORD cookie = 0;
    hr = point->Advise(object, &cookie);
    if (FAILED(hr)) {
        object->Release();
        throw hostError("the host refused the event sink", hr);
    }
    return std::unique_ptr<EventBinding>(new EventBinding(std::move(point), object, cookie));
}

EventBinding::EventBinding(ComRef<IConnectionPoint> point, EventSinkObject* sink, DWORD cookie)
    : point_(std::move(point)), sink_(sink), cookie_(cookie) {}

EventBinding::~EventBinding() {
    sink_->detach();
    point_->Unadvise(cookie_);
    sink_->Release();
}

}  // namespace kelmar::host::win
