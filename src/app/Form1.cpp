#include "app/Form1.h"

#include "app/ControlIds.h"
#include "app/SingleInstance.h"
#include "gui/EmbeddedResource.h"

#include <stdexcept>
#include <windowsx.h>

namespace nimbrel {

namespace {

constexpr wchar_t windowClassName[] = L"Nimbrel.Form1";

UniqueFont segoeUi(int pointsTimes100, UINT dpi = USER_DEFAULT_SCREEN_DPI)
{
    // The window lays itself out from the real character cell of this font at its DPI.
    const int height = -MulDiv(pointsTimes100, static_cast<int>(dpi), 7200);
    return UniqueFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
}

} // namespace

void Form1::setClassWideStartValues()
{
    uacIconStream = gui::embeddedResource(L"UAC16_ICO");
    blueIcon = gui::iconFromIconFile(gui::embeddedResource(L"BLUE16_ICO"), 16);
    greyIcon = gui::iconFromIconFile(gui::embeddedResource(L"GREY16_ICO"), 16);
    adminRightsAvailable = false;
    font8 = segoeUi(825);
    font7 = segoeUi(700);
    autoConfigEnabled = UNKNOWN;
    backgroundScanEnabled = UNKNOWN;
    streamingModeEnabled = UNKNOWN;
    refresh = true;
    oneDeviceConnected = false;
    keepOpen = true;
    minimize = false;
}

Form1::Form1() : Form1(PlatformSeams{}) {}

Form1::Form1(PlatformSeams seams)
    : wlan_(*seams.wlan), shell_(*seams.shell), inputLanguage_(*seams.inputLanguage),
      messageBoxes_(*seams.messageBoxes), security_(*seams.security),
      processMemory_(*seams.processMemory)
{
    try {
        runStartupSequence();
    } catch (...) {
        // What was built is released with the shutdown steps, so autoconfig is restored.
        Dispose(true);
        throw;
    }
}

Form1::~Form1()
{
    Dispose(true);
}

void Form1::runStartupSequence()
{
    InitializeComponent();
    loadSettings();
    EnumInterfaces();
    startRefreshScheduling();
    minimize = checkBoxMinimize.checked();
    adminRightsAvailable = IsUserAdmin();
    lockAutoConfigWithoutRights();
    takeOffTaskBar();
    MinimizeMemoryUsage();
}


void Form1::lockAutoConfigWithoutRights()
{
    // Without the rights the choice stays as loaded but cannot be changed; the shield says why.
    checkBoxAutoConfig.setEnabled(adminRightsAvailable);
    if (!adminRightsAvailable) {
        const auto shield = gui::Image::fromIcon(gui::iconFromIconFile(uacIconStream, 16), SIZE{16, 16});
        pictureBoxUAC.setImage(shield);
        pictureBoxUAC2.setImage(shield);
    }
}

void Form1::takeOffTaskBar()
{
    // A tool window without WS_EX_APPWINDOW gets no task bar button, shown or hidden.
    const auto style = GetWindowLongPtrW(handle(), GWL_EXSTYLE);
    SetWindowLongPtrW(handle(), GWL_EXSTYLE, (style | WS_EX_TOOLWINDOW) & ~WS_EX_APPWINDOW);
}

void Form1::fontsForDpi(UINT dpi)
{
    // One window, so the class-wide fonts follow its monitor.
    font8 = segoeUi(825, dpi);
    font7 = segoeUi(700, dpi);
}

void Form1::onDpiChanged(UINT dpi, const RECT& suggested)
{
    UniqueFont oldFont8 = std::move(font8);
    UniqueFont oldFont7 = std::move(font7);
    fontsForDpi(dpi);
    applyFonts(); // before the old fonts go, as the controls still draw with them
    statusStrip.setFont(font8.get());
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
}

void Form1::show()
{
    everShown_ = true;
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
}

bool Form1::visible() const
{
    return handle() != nullptr && IsWindowVisible(handle()) != FALSE;
}

void Form1::Dispose(bool disposing)
{
    if (released_) {
        return;
    }
    released_ = true;
    if (disposing) {
        try {
            shutdownSequence();
        } catch (...) {
            // The window is released whatever the shutdown steps met.
        }
    }
    window_.reset();
}

void Form1::shutdownSequence()
{
    if (shutdownDone_) {
        return;
    }
    shutdownDone_ = true;
    checkBoxAutoConfig.setChecked(false);
    EnumInterfaces();
    if (hClient != nullptr && !keepOpen) {
        wlan_.closeHandle(hClient, nullptr);
    }
    components.reset();
    timerEnumInterfaces = nullptr;
    timerWaitForConn = nullptr;
    trayIcon = nullptr;
}

void Form1::closeRequested(CloseReason reason)
{
    FormClosingEventArgs e{reason};
    OnFormClosing(e);
    if (!e.cancel) {
        Dispose(true);
    }
}

void Form1::createWindow()
{
    static const ATOM windowClass = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Form1::windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = windowClassName;
        return RegisterClassExW(&wc);
    }();
    (void)windowClass;

    // A fixed tool-window frame: a small caption with a close button only. The layout sizes it.
    constexpr DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    constexpr DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    HWND created = CreateWindowExW(exStyle, windowClassName, L"Nimbrel", style, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 200, 200, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), this);
    if (created == nullptr) {
        throw std::runtime_error("the main window could not be created");
    }
    if (window_.get() != created) {
        window_.reset(created);
    }
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    showRunningInstanceMessage_ = RegisterWindowMessageW(showRunningInstanceMessageName);
    // Run elevated, the window would not hear Explorer's broadcast otherwise.
    ChangeWindowMessageFilterEx(created, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(created, showRunningInstanceMessage_, MSGFLT_ALLOW, nullptr);
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* form = static_cast<Form1*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        // Kept as soon as it exists, so that a failure later in the creation still frees it.
        form->window_.reset(window);
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may cross into the system's code; the message is simply taken as handled.
        return 0;
    }
}

LRESULT Form1::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreatedMessage_ && message != 0) {
        if (trayIcon != nullptr) {
            trayIcon->restore();
        }
        return 0;
    }
    if (message == showRunningInstanceMessage_ && message != 0) {
        if (!visible()) {
            toggleWindow();
        } else {
            SetForegroundWindow(window);
        }
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) {
            if (gui::Control* control = controlWithId(LOWORD(wParam))) {
                control->onCommand(HIWORD(wParam));
            }
        } else if (HIWORD(wParam) == 0) {
            onMenuCommand(LOWORD(wParam));
        }
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr && header->hwndFrom == tabControl.handle()) {
            tabControl.onNotify(*header);
        }
        return 0;
    }
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_TIMER:
        if (timerEnumInterfaces != nullptr && wParam == timerEnumInterfaces->id()) {
            timerEnumInterfaces_Tick(timerEnumInterfaces, EventArgs{});
        } else if (timerWaitForConn != nullptr && wParam == timerWaitForConn->id()) {
            timerWaitForConnection_Tick(timerWaitForConn, EventArgs{});
        }
        return 0;
    case ids::trayCallbackMessage:
        // NOTIFYICON_VERSION_4: the event in the low word, the anchor point in wParam.
        onTrayEvent(LOWORD(lParam), POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows ends the process soon after this returns: switch autoconfig back on now.
        if (wParam != FALSE) {
            closeRequested(CloseReason::notTheUser);
        }
        return 0;
    case WM_SYSCOMMAND:
        // The caption's close button, the system menu's Close and Alt+F4 all arrive here.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            closeByUser_ = true;
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            closeByUser_ = false;
            return result;
        }
        break;
    case WM_CLOSE:
        closeRequested(closeByUser_ ? CloseReason::userClosing : CloseReason::notTheUser);
        return 0;
    case WM_DESTROY:
        // Destroyed without a release through Dispose: the shutdown steps still run.
        if (!shutdownDone_) {
            try {
                shutdownSequence();
            } catch (...) {
            }
        }
        return 0;
    case WM_NCDESTROY:
        released_ = true;
        if (window_.get() == window) {
            (void)window_.release(); // destroyed by the system, not through Dispose
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (endsMessageLoop_) {
            PostQuitMessage(0);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace nimbrel
