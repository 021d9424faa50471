// The floor of the memory figures: a hidden top-level window, one notification-area icon and a
// message loop, which every tray program pays for before it does anything of its own.
//
//   floor.exe            runs until its window is sent WM_CLOSE (measured from outside)
//   floor.exe --report   measures itself after start and after pumping messages for a second,
//                        writes the figures to standard output and ends
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <charconv>
#include <cstddef>
#include <cwchar>
#include <string_view>

namespace {

constexpr wchar_t className[] = L"NimbrelBench.Floor";
constexpr UINT trayCallback = WM_APP + 1;
constexpr UINT_PTR pumpTimer = 1;
constexpr UINT pumpMs = 1000;

void write(std::string_view text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

void writeFigure(std::string_view key, std::string_view moment, std::size_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    write(key);
    write(moment);
    write(" ");
    write(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    write("\n");
}

// As the bench adds them up: the committed private regions, seen from the Windows side.
std::size_t committedPrivate()
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<const unsigned char*>(nullptr);
         VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
    }
    return total;
}

// The same reading as the bench's: PrivateUsage, the commit charge on Windows; Wine 8 leaves it
// at 0 and fills PagefileUsage from the process's anonymous resident memory (RssAnon + VmSwap).
void reportMemory(std::string_view moment)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(),
                              reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return;
    }
    const bool privateKnown = counters.PrivateUsage != 0;
    const std::size_t privateBytes = privateKnown ? counters.PrivateUsage : counters.PagefileUsage;
    writeFigure("floor_private_", moment, privateBytes);
    writeFigure("floor_ws_", moment, counters.WorkingSetSize);
    writeFigure("floor_commit_", moment, committedPrivate());
    if (moment == "start") {
        write(privateKnown ? "floor_private_source PrivateUsage\n"
                           : "floor_private_source PagefileUsage\n");
    }
}

NOTIFYICONDATAW iconData(HWND window)
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = trayCallback;
    nid.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wcsncpy(nid.szTip, L"Nimbrel floor", std::size(nid.szTip) - 1);
    return nid;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == pumpTimer) {
            KillTimer(window, pumpTimer);
            reportMemory("pumped");
            DestroyWindow(window);
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY: {
        NOTIFYICONDATAW nid = iconData(window);
        Shell_NotifyIconW(NIM_DELETE, &nid);
        PostQuitMessage(0);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    const bool reporting = std::wstring_view(commandLine).find(L"--report") != std::wstring_view::npos;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc) == 0) {
        return 1;
    }
    // Never shown: the icon is all the user sees of a tray program at rest.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"Nimbrel floor", WS_OVERLAPPED,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 200, 200, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    NOTIFYICONDATAW nid = iconData(window);
    Shell_NotifyIconW(NIM_ADD, &nid);

    if (reporting) {
        reportMemory("start");
        SetTimer(window, pumpTimer, pumpMs, nullptr);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
