#pragma once
// Starting orvelan-sim.exe as a separate process and waiting until it serves,
// for the tests and the benchmark of the COM adapter.

#include <windows.h>

#include <string>

namespace kelmar::host::sim::win {

// The named event a starting server sets once its object is in the running object table.
std::wstring readyEventName(DWORD processId);

class SimProcess {
public:
    // Starts orvelan-sim.exe from the folder of the running executable with
    // the switches and the host file; ready() tells whether it came up.
    SimProcess(const std::string& hostFile, const std::string& switches = "");
    // Asks the server to quit, so it leaves the running object table, and kills it if it does not.
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ready() const { return ready_; }
    // Whether the process has ended (it was told to exit, or failed).
    bool exited() const;

private:
    PROCESS_INFORMATION process_{};
    bool ready_ = false;
};

// Runs the thread's messages until done() or the time is up; COM delivers events through them.
template <class Done>
bool pumpMessagesUntil(Done done, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace kelmar::host::sim::win
