#include "host/win/dispatch.h"

#include <cstdio>
#include <vector>

namespace kelmar::host::win {
namespace {

// Numbers the host sends as text are read with "." whatever the user's locale.
constexpr LCID kNumberLocale = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

bool isEmpty(const VARIANT& v) { return v.vt == VT_EMPTY || v.vt == VT_NULL; }

// Objects and arrays never convert to a scalar: that would be a hidden call into the host.
bool isScalar(const VARIANT& v) {
    const VARTYPE base = v.vt & VT_TYPEMASK;
    return (v.vt & VT_ARRAY) == 0 && base != VT_DISPATCH && base != VT_UNKNOWN && base != VT_VARIANT &&
           base != VT_RECORD;
}

// value as type, or a HostError naming member.
void convert(Variant& out, const VARIANT& value, VARTYPE type, const std::string& member) {
    if (!isScalar(value))
        throw HostError(member + " answered a value of the wrong type (" + std::to_string(value.vt) + ")");
    const HRESULT hr = VariantChangeTypeEx(out.put(), const_cast<VARIANT*>(&value), kNumberLocale, 0, type);
    if (FAILED(hr)) throw hostError(member + " answered a value that is not the expected type", hr);
}

std::string excepinfoText(EXCEPINFO& info, platform::CodePage codePage) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    std::string text;
    if (info.bstrDescription)
        text = fromWide(info.bstrDescription, SysStringLen(info.bstrDescription), codePage);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    return text;
}

}  // namespace

Variant Variant::ofInt(int value) {
    Variant v;
    v.v_.vt = VT_I4;
    v.v_.lVal = value;
    return v;
}

Variant Variant::ofObject(IDispatch* object) {
    Variant v;
    v.v_.vt = VT_DISPATCH;
    v.v_.pdispVal = object;
    if (object) object->AddRef();
    return v;
}

ComSession::ComSession(platform::CodePage codePage) : codePage_(codePage) {
    // S_FALSE means the thread already had this apartment; it still needs its own uninitialise.
    initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ComSession::~ComSession() {
    if (initialised_) CoUninitialize();
}

void ComSession::noteFailure(HRESULT hr) {
    switch (hr) {
        case RPC_E_DISCONNECTED:
        case RPC_E_SERVER_DIED:
        case RPC_E_SERVER_DIED_DNE:
        case CO_E_OBJNOTCONNECTED:
        case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
        case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
        case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE):
            hostLost_ = true;
            break;
        default:
            break;
    }
}

std::string hresultText(HRESULT hr) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    std::string text = code;
    wchar_t* message = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (message) {
        std::string system = fromWide(message, length, platform::installationCodePage());
        LocalFree(message);
        while (!system.empty() && (system.back() == '\n' || system.back() == '\r' || system.back() == ' '))
            system.pop_back();
        if (!system.empty()) text += " " + system;
    }
    return text;
}

HostError hostError(const std::string& what, HRESULT hr) { return HostError(what + " (HRESULT " + hresultText(hr) + ")"); }

std::string fromWide(const wchar_t* text, std::size_t length, platform::CodePage codePage) {
    if (!text || length == 0) return {};
    return platform::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length), codePage);
}

BSTR toBstr(const std::string& bytes, platform::CodePage codePage) {
    const std::u16string wide = platform::toUtf16(bytes, codePage);
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
}

std::string textOf(const VARIANT& value, platform::CodePage codePage, const std::string& member) {
    if (isEmpty(value)) return {};
    if (value.vt == VT_BSTR) return fromWide(value.bstrVal, SysStringLen(value.bstrVal), codePage);
    Variant text;
    convert(text, value, VT_BSTR, member);
    return fromWide(text.get().bstrVal, SysStringLen(text.get().bstrVal), codePage);
}

double numberOf(const VARIANT& value, const std::string& member) {
    if (isEmpty(value)) return 0.0;
    Variant number;
    convert(number, value, VT_R8, member);
    return number.get().dblVal;
}

int wholeOf(const VARIANT& value, const std::string& member) {
    if (isEmpty(value)) return 0;
    Variant number;
    convert(number, value, VT_I4, member);
    return static_cast<int>(number.get().lVal);
}

bool flagOf(const VARIANT& value, const std::string& member) {
    if (isEmpty(value)) return false;
    Variant flag;
    convert(flag, value, VT_BOOL, member);
    return flag.get().boolVal != VARIANT_FALSE;
}

ComRef<IDispatch> objectOf(const VARIANT& value, const std::string& member) {
    if (isEmpty(value)) return {};
    Variant direct;
    if (FAILED(VariantCopyInd(direct.put(), const_cast<VARIANT*>(&value)))) throw HostError(member + " answered an unreadable value");
    const VARIANT& v = direct.get();
    if (v.vt == VT_DISPATCH) return ComRef<IDispatch>::share(v.pdispVal);
    if (v.vt == VT_UNKNOWN) {
        if (!v.punkVal) return {};
        ComRef<IDispatch> object;
        const HRESULT hr = v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.put()));
        if (FAILED(hr)) throw hostError(member + " answered an object without IDispatch", hr);
        return object;
    }
    throw HostError(member + " answered a value where an object was expected (" + std::to_string(v.vt) + ")");
}

FieldValue fieldValueOf(const VARIANT& value, platform::CodePage codePage, const std::string& member) {
    if ((value.vt & VT_TYPEMASK) == VT_BSTR) return textOf(value, codePage, member);
    return numberOf(value, member);
}

Variant DispatchObject::invoke(DISPID id, const char* member, std::initializer_list<VARIANT> args, WORD flags) const {
    if (!object_) throw HostError(memberName(member) + " was called on an empty object");
    // DISPPARAMS holds the arguments last to first.
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::vector<VARIANT>(reversed.rbegin(), reversed.rend()).swap(reversed);
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID named = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO info{};
    UINT badArgument = 0;
    session_->countCall(memberName(member));
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.put(), &info, &badArgument);
    if (hr == DISP_E_EXCEPTION) {
        const std::string description = excepinfoText(info, session_->codePage());
        const HRESULT code = info.scode ? info.scode : hr;
        throw hostError(memberName(member) + " failed" + (description.empty() ? "" : ": " + description), code);
    }
    if (FAILED(hr)) {
        session_->noteFailure(hr);
        throw hostError(memberName(member) + " failed", hr);
    }
    return result;
}

void DispatchObject::put(DISPID id, const char* member, const VARIANT& value) const {
    invoke(id, member, {value}, DISPATCH_PROPERTYPUT);
}

std::string DispatchObject::text(DISPID id, const char* member) const {
    return textOf(invoke(id, member).get(), session_->codePage(), memberName(member));
}

double DispatchObject::number(DISPID id, const char* member) const {
    return numberOf(invoke(id, member).get(), memberName(member));
}

int DispatchObject::whole(DISPID id, const char* member) const {
    return wholeOf(invoke(id, member).get(), memberName(member));
}

bool DispatchObject::flag(DISPID id, const char* member) const {
    return flagOf(invoke(id, member).get(), memberName(member));
}

DispatchObject DispatchObject::object(DISPID id, const char* member, const char* childName) const {
    ComRef<IDispatch> child = optionalObject(id, member);
    if (!child) throw HostError(memberName(member) + " answered no object");
    return DispatchObject(std::move(child), session_, childName);
}

ComRef<IDispatch> DispatchObject::optionalObject(DISPID id, const char* member) const {
    return objectOf(invoke(id, member).get(), memberName(member));
}

}  // namespace kelmar::host::win
