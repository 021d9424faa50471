// Stays alive for the test run. Touching the desktop starts Wine's helper processes (services,
// explorer with the desktop and the tray) now, detached from CTest's pipes, rather than inside
// the first test. Writes the file named by its argument once they are up.
#include <windows.h>
#include <shellapi.h>

int wmain(int argc, wchar_t** argv)
{
    GetDesktopWindow();
    HWND window = CreateWindowExW(0, L"STATIC", L"testbed-idle", 0, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    // The tray lives in explorer: wait until it answers.
    for (int attempt = 0; attempt < 200 && FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr;
         ++attempt) {
        Sleep(50);
    }
    if (argc > 1) {
        HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (ready != INVALID_HANDLE_VALUE) {
            CloseHandle(ready);
        }
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    DestroyWindow(window);
    return 0;
}
