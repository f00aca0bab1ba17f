// orvelan-sim.exe HOSTFILE: the simulated host served over COM, for tests and
// demonstrations on Windows. It shows a window of the host's class, puts its
// application object in the running object table under the host's ProgID and
// runs the host file's execution once a client binds the events. Its options
// replace the host options of the current user, so run it where no real host is installed.
//
//   --answer Object.Member=text|wrong|empty   answer a member as text, as the wrong type, or empty
//   --exit-after-calls N                      end the process in the middle of incoming call N
//   --no-class-info                           the event source gives no class information
//   --ready-file PATH                         create PATH once serving (for scripts that wait for us)

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>

#include "host/sim/sim_host_file.h"
#include "host/sim/win/sim_objects.h"
#include "host/sim/win/sim_process.h"
#include "host/win/dispatch.h"
#include "host/win/dispids.h"
#include "platform/file_system.h"

namespace {

using namespace kelmar;
using host::sim::win::Answer;
using host::win::ComRef;

// Our own class id for the application object; only the ProgID is the host's.
constexpr CLSID kApplicationClsid = {0x6b1f7c2e, 0x3a41, 0x4d5e, {0x9b, 0x0c, 0x1f, 0x2e, 0x3d, 0x4c, 0x5b, 0x6d}};
constexpr UINT kRunPosted = WM_APP + 1;

// The event loop's queue of posted calls.
struct PostedCalls {
    HWND window = nullptr;
    std::deque<std::function<void()>> calls;
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* posted = reinterpret_cast<PostedCalls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kRunPosted && posted) {
        while (!posted->calls.empty()) {
            auto call = std::move(posted->calls.front());
            posted->calls.pop_front();
            call();
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool parseArguments(int argc, char** argv, host::sim::win::ServerControls& controls, std::string& hostFile,
                    std::string& readyFile) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-class-info") {
            controls.noClassInfo = true;
        } else if (arg == "--ready-file" && i + 1 < argc) {
            readyFile = argv[++i];
        } else if (arg == "--exit-after-calls" && i + 1 < argc) {
            controls.exitAfterCalls = std::atol(argv[++i]);
        } else if (arg == "--answer" && i + 1 < argc) {
            const std::string answer = argv[++i];
            const auto eq = answer.find('=');
            const std::string how = eq == std::string::npos ? "" : answer.substr(eq + 1);
            if (how != "text" && how != "wrong" && how != "empty") return false;
            controls.answers[answer.substr(0, eq)] =
                how == "text" ? Answer::AsText : how == "wrong" ? Answer::WrongType : Answer::Empty;
        } else if (hostFile.empty() && arg.rfind("--", 0) != 0) {
            hostFile = arg;
        } else {
            return false;
        }
    }
    return !hostFile.empty();
}

// Our type library lies beside the executable.
ComRef<ITypeLib> loadTypeLibrary() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, length);
    file = file.substr(0, file.find_last_of(L"\\/") + 1) + L"orvelan_sim.tlb";
    ComRef<ITypeLib> library;
    LoadTypeLibEx(file.c_str(), REGKIND_NONE, library.put());
    return library;
}

// The coclass and the dispinterface of the library, found by kind.
host::sim::win::EventTypes eventTypes(ITypeLib* library) {
    host::sim::win::EventTypes types;
    if (!library) return types;
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        TYPEKIND kind{};
        ITypeInfo* info = nullptr;
        if (FAILED(library->GetTypeInfoType(i, &kind)) || FAILED(library->GetTypeInfo(i, &info))) continue;
        if (kind == TKIND_COCLASS && !types.sourceClass)
            types.sourceClass = info;
        else if (kind == TKIND_DISPATCH && !types.eventInterface)
            types.eventInterface = info;
        else
            info->Release();
    }
    return types;
}

// Wine's CLSIDFromProgID looks only under HKEY_CLASSES_ROOT.
bool registerProgId() {
    wchar_t clsid[64];
    StringFromGUID2(kApplicationClsid, clsid, 64);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"ORVAPI.Application\\CLSID", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid),
                                       static_cast<DWORD>((wcslen(clsid) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// The real host keeps its options in the user's registry; so does the simulated one,
// replacing whatever options a previous run left there.
void writeOptions(const host::sim::Member<std::map<std::string, host::sim::Member<std::string>>>& options,
                  platform::CodePage codePage) {
    const wchar_t* key = L"Software\\TSI\\ORVELAN\\Option";
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    if (options.error) return;
    for (const auto& [name, value] : options.value) {
        if (value.error) continue;
        const BSTR wideName = host::win::toBstr(name, codePage);
        const BSTR wideValue = host::win::toBstr(value.value, codePage);
        RegSetKeyValueW(HKEY_CURRENT_USER, key, wideName, REG_SZ, wideValue,
                        static_cast<DWORD>((SysStringLen(wideValue) + 1) * sizeof(wchar_t)));
        SysFreeString(wideName);
        SysFreeString(wideValue);
    }
}

}  // namespace

int main(int argc, char** argv) {
    host::sim::win::ServerControls controls;
    controls.codePage = platform::installationCodePage();
    std::string hostFile, readyFile;
    if (!parseArguments(argc, argv, controls, hostFile, readyFile)) {
        std::fprintf(stderr, "usage: orvelan-sim [--answer Object.Member=text|wrong|empty] "
                             "[--exit-after-calls N] [--no-class-info] [--ready-file PATH] HOSTFILE\n");
        return 2;
    }
    const auto files = platform::makeDiskFileSystem();
    std::string error;
    auto model = host::sim::loadHostFile(*files, hostFile, controls.codePage, error);
    if (!model) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    const bool window = model->window.error || model->window.value;
    writeOptions(model->options, controls.codePage);

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
    PostedCalls posted;
    host::sim::SimHostLocator locator(std::move(*model), [&posted](std::function<void()> call) {
        posted.calls.push_back(std::move(call));
        PostMessageW(posted.window, kRunPosted, 0, 0);
    });
    const auto library = loadTypeLibrary();
    const auto types = eventTypes(library.get());
    if (!types.sourceClass || !types.eventInterface) std::fprintf(stderr, "orvelan_sim.tlb not found\n");
    if (!registerProgId()) std::fprintf(stderr, "cannot register the ProgID\n");

    const auto application =
        ComRef<IDispatch>::adopt(host::sim::win::makeApplication(locator.application(), controls, types));
    DWORD rot = 0;
    // Right after Wine starts, the service behind the running object table may not answer yet.
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < 40; ++attempt) {
        hr = RegisterActiveObject(application.get(), kApplicationClsid, ACTIVEOBJECT_STRONG, &rot);
        if (hr != HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)) break;
        Sleep(500);
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "RegisterActiveObject failed: %s\n", host::win::hresultText(hr).c_str());
        return 3;
    }

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    // Without "window" the host runs unseen: the converter's window test must fail.
    const std::wstring className = window ? L"TessarinORVELANWndClass" : L"OrvelanSimHiddenHost";
    windowClass.lpszClassName = className.c_str();
    RegisterClassW(&windowClass);
    posted.window = CreateWindowExW(0, className.c_str(), L"ORVELAN (simulated)", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!posted.window) {
        std::fprintf(stderr, "cannot create the host window (is there a display?)\n");
        return 3;
    }
    SetWindowLongPtrW(posted.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&posted));
    if (!posted.calls.empty()) PostMessageW(posted.window, kRunPosted, 0, 0);
    // A starter waiting for us learns that we serve.
    if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, host::sim::win::readyEventName(GetCurrentProcessId()).c_str())) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    if (!readyFile.empty()) files->writeFile(readyFile, "");

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    RevokeActiveObject(rot, nullptr);
    if (types.sourceClass) types.sourceClass->Release();
    if (types.eventInterface) types.eventInterface->Release();
    CoUninitialize();
    return 0;
}
