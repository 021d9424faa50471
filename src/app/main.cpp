// Entry point: one UI thread, one Form1, one message loop.
#include "app/Form1.h"
#include "app/SingleInstance.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <memory>
#include <string>

namespace {

// The UI thread is a single-threaded COM apartment for the whole run.
class ApartmentScope {
public:
    ApartmentScope() noexcept
        : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;
    ~ApartmentScope()
    {
        if (initialized_) {
            CoUninitialize();
        }
    }

private:
    bool initialized_;
};

void runMessageLoop(HWND window)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window != nullptr && IsDialogMessageW(window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // A second start shows the first one's window and touches neither adapters nor registry.
    const nimbrel::SingleInstance instance;
    if (!instance.isFirst()) {
        nimbrel::SingleInstance::showRunningInstance();
        return 0;
    }
    ApartmentScope apartment;
    // Themed controls come from Common Controls 6, which the manifest selects; they draw their
    // text with the system's own text drawing.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    nimbrel::Form1::setClassWideStartValues();
    std::unique_ptr<nimbrel::Form1> form;
    try {
        form = std::make_unique<nimbrel::Form1>();
    } catch (const std::exception& failure) {
        // The half-built window has already been released with the shutdown steps.
        const std::string reason = failure.what();
        const std::wstring text = L"Nimbrel could not start: " + std::wstring(reason.begin(), reason.end());
        MessageBoxW(nullptr, text.c_str(), L"Nimbrel", MB_OK | MB_ICONERROR);
        return 1;
    }
    form->endMessageLoopOnRelease();
    // A hidden start runs the loop with the tray icon only, until Quit.
    if (!nimbrel::Form1::minimize) {
        form->show();
    }
    runMessageLoop(form->handle());
    return 0;
}
