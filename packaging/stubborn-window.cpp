// For the installer test: a window of Nimbrel's class that ignores WM_CLOSE, as a Nimbrel
// running with administrator rights looks to a setup without them. Creates the file given on
// the command line once the window exists, then runs until it is killed.
#include <windows.h>

namespace {

LRESULT CALLBACK refuseClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &refuseClose;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"Nimbrel.Form1";
    if (RegisterClassW(&windowClass) == 0 ||
        CreateWindowW(L"Nimbrel.Form1", L"Nimbrel", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                      instance, nullptr) == nullptr) {
        return 1;
    }
    HANDLE ready = CreateFileW(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE) {
        CloseHandle(ready);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
