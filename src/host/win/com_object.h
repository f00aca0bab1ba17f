#pragma once
// The COM objects we implement ourselves (event sinks, the simulated host's
// objects): reference counting, and QueryInterface for IUnknown, the object's
// own interface and whatever further interfaces a derived object adds.

#include <windows.h>
#include <unknwn.h>

namespace kelmar::host::win {

template <class Interface>
class ComObject : public Interface {
public:
    explicit ComObject(const IID& iid) : iid_(iid) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) ? static_cast<Interface*>(this)
                                                                           : extraInterface(iid);
        if (!*out) return E_NOINTERFACE;
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~ComObject() = default;
    // A further interface of the object, or null.
    virtual void* extraInterface(REFIID) { return nullptr; }

private:
    LONG refs_ = 1;
    IID iid_;
};

}  // namespace kelmar::host::win
