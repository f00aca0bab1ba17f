#include "host/win/locator.h"

#include "host/win/dispatch.h"
#include "host/win/dispids.h"
#include "host/win/objects.h"

namespace kelmar::host::win {
namespace {

constexpr const wchar_t* kOptionKey = L"Software\\TSI\\ORVELAN\\Option";

// The wide form of an option name; names are plain ASCII in practice.
std::wstring wideName(const std::string& name, platform::CodePage codePage) {
    BSTR wide = toBstr(name, codePage);
    std::wstring out(wide ? wide : L"", wide ? SysStringLen(wide) : 0);
    SysFreeString(wide);
    return out;
}

}  // namespace

ComHostLocator::ComHostLocator(platform::CodePage codePage) : session_(std::make_shared<ComSession>(codePage)) {}

ComHostLocator::~ComHostLocator() = default;

bool ComHostLocator::HostWindowExists() const { return FindWindowA(dispid::kWindowClass, nullptr) != nullptr; }

std::shared_ptr<HostApplication> ComHostLocator::GetApplication() {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(dispid::kProgId, &clsid);
    if (FAILED(hr)) throw hostError("ORVAPI.Application is not registered", hr);
    ComRef<IUnknown> running;
    hr = GetActiveObject(clsid, nullptr, running.put());
    if (FAILED(hr) || !running) throw hostError("no running ORVAPI.Application", hr);
    ComRef<IDispatch> application;
    hr = running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(application.put()));
    if (FAILED(hr)) throw hostError("ORVAPI.Application has no IDispatch", hr);
    return std::make_shared<ComApplication>(DispatchObject(std::move(application), session_, "Application"));
}

std::optional<std::string> ComHostLocator::ReadOption(const std::string& name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kOptionKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    const std::wstring value = wideName(name, session_->codePage());
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> result;
    if (RegQueryValueExW(key, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD dword = 0;
        BYTE* target = type == REG_DWORD ? reinterpret_cast<BYTE*>(&dword) : reinterpret_cast<BYTE*>(data.data());
        DWORD capacity = type == REG_DWORD ? sizeof dword : static_cast<DWORD>(data.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, value.c_str(), nullptr, &type, target, &capacity) == ERROR_SUCCESS) {
            if (type == REG_DWORD)
                result = std::to_string(dword);
            else if (type == REG_SZ || type == REG_EXPAND_SZ)
                result = fromWide(data.c_str(), std::wcslen(data.c_str()), session_->codePage());
        }
    }
    RegCloseKey(key);
    return result;
}

}  // namespace kelmar::host::win
