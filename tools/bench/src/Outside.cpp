#include "Outside.h"

#include "Memory.h"
#include "Report.h"

#include "core/UniqueHandle.h"

namespace nimbrel::bench {

namespace {

constexpr DWORD startTimeoutMs = 30000;
constexpr DWORD closeTimeoutMs = 15000;

struct WindowsOf {
    DWORD process;
    long closed = 0;
};

BOOL CALLBACK closeIfOwned(HWND window, LPARAM param)
{
    auto& target = *reinterpret_cast<WindowsOf*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == target.process && PostMessageW(window, WM_CLOSE, 0, 0)) {
        ++target.closed;
    }
    return TRUE;
}

} // namespace

int runOutside(const std::wstring& commandLine, DWORD settleMs)
{
    std::wstring mutableLine = commandLine; // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        report("outside_error", static_cast<long>(GetLastError()));
        return 1;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);

    // A GUI program is idle once its startup is over and it waits in its message loop.
    const DWORD idle = WaitForInputIdle(process.get(), startTimeoutMs);
    report("outside_idle", idle == 0 ? "yes" : "no");
    Sleep(settleMs);
    report("outside_settle_ms", static_cast<long>(settleMs));
    reportMemory("outside", process.get());

    WindowsOf windows{started.dwProcessId};
    EnumWindows(closeIfOwned, reinterpret_cast<LPARAM>(&windows));
    report("outside_windows_closed", windows.closed);
    if (WaitForSingleObject(process.get(), closeTimeoutMs) != WAIT_OBJECT_0) {
        // Only ever the process started here, by its own handle.
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), closeTimeoutMs);
        report("outside_closed", "terminated");
    } else {
        report("outside_closed", "politely");
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    report("outside_exit_code", static_cast<long>(exitCode));
    return 0;
}

} // namespace nimbrel::bench
