#include "host/sim/win/sim_process.h"

namespace kelmar::host::sim::win {

std::wstring readyEventName(DWORD processId) { return L"OrvelanSimReady-" + std::to_wstring(processId); }

SimProcess::SimProcess(const std::string& hostFile, const std::string& switches) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe(self, length);
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "orvelan-sim.exe";
    std::string command = "\"" + exe + "\" " + switches + " \"" + hostFile + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Suspended until the ready event exists, so the server cannot miss it.
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process_))
        return;
    HANDLE readyEvent = CreateEventW(nullptr, TRUE, FALSE, readyEventName(process_.dwProcessId).c_str());
    ResumeThread(process_.hThread);
    HANDLE waits[] = {readyEvent, process_.hProcess};
    ready_ = readyEvent && WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0;
    if (readyEvent) CloseHandle(readyEvent);
}

SimProcess::~SimProcess() {
    if (!process_.hProcess) return;
    PostThreadMessageW(process_.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool SimProcess::exited() const {
    return !process_.hProcess || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

}  // namespace kelmar::host::sim::win
