// Screenshot helper: shows a page of the running Nimbrel window and prints the window's place.
// Usage: select-page <page index>   (0 Status, 1 Settings, 2 About)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    HWND window = nullptr;
    for (int attempt = 0; attempt < 100 && window == nullptr; ++attempt) {
        window = FindWindowW(L"Nimbrel.Form1", L"Nimbrel");
        if (window == nullptr) {
            Sleep(100);
        }
    }
    if (window == nullptr) {
        std::fputs("no Nimbrel window\n", stderr);
        return 1;
    }
    const int page = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 0;
    SendMessageW(GetDlgItem(window, 1000), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
    SetForegroundWindow(window);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    std::printf("%ldx%ld+%ld+%ld\n", bounds.right - bounds.left, bounds.bottom - bounds.top,
                bounds.left, bounds.top);
    return 0;
}
