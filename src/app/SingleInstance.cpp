#include "app/SingleInstance.h"

#include <windows.h>

namespace nimbrel {

SingleInstance::SingleInstance()
{
    // "Local\" is the user's session; the mutex goes with the process, however it ends.
    mutex_.reset(CreateMutexW(nullptr, FALSE, L"Local\\Nimbrel.SingleInstance"));
    first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

void SingleInstance::showRunningInstance()
{
    HWND running = FindWindowW(L"Nimbrel.Form1", L"Nimbrel");
    if (running == nullptr) {
        return;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    // Lets the running instance bring its window to the front, as the user asked for it.
    AllowSetForegroundWindow(processId);
    PostMessageW(running, RegisterWindowMessageW(showRunningInstanceMessageName), 0, 0);
}

} // namespace nimbrel
