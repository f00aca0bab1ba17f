// The event source behind the simulated host's ApplicationEvents: one
// connection point, class information from our own type library, and the
// simulated execution's events forwarded to the advised client.

#include <ocidl.h>
#include <olectl.h>

#include <vector>

#include "host/sim/win/sim_objects.h"
#include "host/win/com_object.h"
#include "host/win/dispatch.h"

namespace kelmar::host::sim::win {
namespace {

using host::win::ComRef;

// The event ids of our type library (orvelan_sim.idl).
constexpr DISPID kOnObjectExecuted = 0x41;
constexpr DISPID kOnEndExecution = 0x42;
constexpr DISPID kOnClosePartProgram = 0x43;

class SimEventSource;

// Hands out the one connection point.
class PointEnum final : public host::win::ComObject<IEnumConnectionPoints> {
public:
    explicit PointEnum(IConnectionPoint* point)
        : ComObject(IID_IEnumConnectionPoints), point_(ComRef<IConnectionPoint>::share(point)) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, IConnectionPoint** points, ULONG* fetched) override {
        ULONG n = 0;
        if (wanted > 0 && !done_) {
            points[0] = point_.get();
            points[0]->AddRef();
            done_ = true;
            n = 1;
        }
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG n) override {
        if (n > 0) done_ = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        done_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints**) override { return E_NOTIMPL; }

private:
    ~PointEnum() override = default;
    ComRef<IConnectionPoint> point_;
    bool done_ = false;
};

class SimEventSource final : public SimDispatch,
                             public IConnectionPointContainer,
                             public IConnectionPoint,
                             public IProvideClassInfo,
                             public HostEventSink {
public:
    SimEventSource(std::shared_ptr<SimApplication> application, ServerControls& controls, const EventTypes& types)
        : SimDispatch("ApplicationEvents", {}, controls), application_(std::move(application)), types_(types) {
        TYPEATTR* attr = nullptr;
        if (types_.eventInterface && SUCCEEDED(types_.eventInterface->GetTypeAttr(&attr))) {
            iid_ = attr->guid;
            types_.eventInterface->ReleaseTypeAttr(attr);
        }
    }

    // One identity and one count for all the interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return SimDispatch::QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return SimDispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return SimDispatch::Release(); }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
        if (!out) return E_POINTER;
        *out = new PointEnum(this);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, iid_)) return CONNECT_E_NOCONNECTION;
        *out = this;
        AddRef();
        return S_OK;
    }

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (!iid) return E_POINTER;
        *iid = iid_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
        if (!out) return E_POINTER;
        *out = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        controls_.countCall();
        if (!sink || !cookie) return E_POINTER;
        if (client_) return CONNECT_E_ADVISELIMIT;
        // Our library is not registered, so the sink is asked for IDispatch, as such a host does.
        if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(client_.put())))) return CONNECT_E_CANNOTCONNECT;
        *cookie = ++lastCookie_;
        application_->BindEvents(*this);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        controls_.countCall();
        if (!client_ || cookie != lastCookie_) return CONNECT_E_NOCONNECTION;
        drop();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // IProvideClassInfo
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override {
        if (!out) return E_POINTER;
        *out = types_.sourceClass;
        if (!*out) return E_NOTIMPL;
        (*out)->AddRef();
        return S_OK;
    }

    // The simulated execution's events, forwarded to the client.
    void OnObjectExecuted(PartProgram&, Command& command) override {
        const auto program = application_->partProgram();
        const auto* simCommand = dynamic_cast<SimCommand*>(&command);
        if (!program || !simCommand) return;
        const auto& list = program->commandList();
        fire(kOnObjectExecuted, {objectArgument(makePartProgram(program, controls_)),
                                 objectArgument(makeCommand(list.at(simCommand->index() - 1), controls_))});
    }
    void OnEndExecution(PartProgram&, int terminationType) override {
        VARIANT type;
        setWhole(type, terminationType);
        fire(kOnEndExecution, {objectArgument(makePartProgram(application_->partProgram(), controls_)), type});
    }
    void OnClosePartProgram() override { fire(kOnClosePartProgram, {}); }

protected:
    void* extraInterface(REFIID iid) override {
        if (IsEqualIID(iid, IID_IConnectionPointContainer)) return static_cast<IConnectionPointContainer*>(this);
        if (IsEqualIID(iid, IID_IConnectionPoint)) return static_cast<IConnectionPoint*>(this);
        if (IsEqualIID(iid, IID_IProvideClassInfo) && !controls_.noClassInfo)
            return static_cast<IProvideClassInfo*>(this);
        return nullptr;
    }
    ITypeInfo* typeInfo() override { return types_.eventInterface; }

private:
    ~SimEventSource() override { drop(); }

    static VARIANT objectArgument(IDispatch* object) {
        VARIANT v;
        setObject(v, object);
        return v;
    }

    void drop() {
        client_.reset();
        application_->UnbindEvents();
    }

    // Calls the client; a client that fails (it may have died) is dropped.
    void fire(DISPID id, std::vector<VARIANT> args) {
        const ComRef<IDispatch> client = client_;
        if (client) {
            std::vector<VARIANT> reversed(args.rbegin(), args.rend());
            DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
            const HRESULT hr = client->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                              nullptr, nullptr);
            if (FAILED(hr) && client_.get() == client.get()) drop();
        }
        for (VARIANT& v : args) VariantClear(&v);
    }

    std::shared_ptr<SimApplication> application_;
    EventTypes types_;
    IID iid_ = IID_NULL;
    ComRef<IDispatch> client_;
    DWORD lastCookie_ = 0;
};

}  // namespace

IDispatch* makeEventSource(std::shared_ptr<SimApplication> application, ServerControls& controls,
                           const EventTypes& types) {
    return static_cast<SimDispatch*>(new SimEventSource(std::move(application), controls, types));
}

}  // namespace kelmar::host::sim::win
