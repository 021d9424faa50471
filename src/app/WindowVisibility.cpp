// The tray icon's actions and the window's visibility: a close by the user hides the window,
// the tray icon brings it back, and only Quit ends the program.
#include "app/Form1.h"

#include "app/ControlIds.h"

namespace nimbrel {

void Form1::OnFormClosing(FormClosingEventArgs& e)
{
    if (e.closeReason != CloseReason::userClosing || !keepOpen) {
        return; // the window closes for good, and its release runs the shutdown sequence
    }
    e.cancel = true;
    ShowWindow(handle(), SW_HIDE);
    restartRefreshTimerAroundTrim();
}

void Form1::restartRefreshTimerAroundTrim()
{
    timerEnumInterfaces->stop();
    MinimizeMemoryUsage();
    // It runs afterwards whether or not it ran before; the next tick is a full interval away.
    timerEnumInterfaces->start();
}

void Form1::toggleWindow()
{
    if (!visible()) {
        show();
        restartRefreshTimerAroundTrim();
    } else {
        closeRequested(CloseReason::userClosing);
    }
}

void Form1::trayIcon_MouseDoubleClick(gui::TrayIcon* /*sender*/, const EventArgs& /*e*/)
{
    toggleWindow();
}

void Form1::toolStripMenuShow_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    toggleWindow();
}

void Form1::toolStripMenuQuit_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    keepOpen = false;
    if (everShown_) {
        closeRequested(CloseReason::userClosing);
    } else {
        Dispose(true); // never shown: released at once, without a close request
    }
    endMessageLoop();
}

void Form1::endMessageLoop()
{
    if (endsMessageLoop_) {
        PostQuitMessage(0);
    }
}

void Form1::onMenuCommand(int id)
{
    if (id == ids::menuItemShow) {
        toolStripMenuShow_Click(nullptr, EventArgs{});
    } else if (id == ids::menuItemQuit) {
        toolStripMenuQuit_Click(nullptr, EventArgs{});
    }
}

void Form1::onTrayEvent(UINT event, POINT anchor)
{
    switch (event) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        trayIcon_MouseDoubleClick(trayIcon, EventArgs{});
        break;
    case WM_CONTEXTMENU: // a right click, or the keyboard's menu key on the icon
        showTrayMenu(anchor);
        break;
    default:
        break;
    }
}

void Form1::showTrayMenu(POINT anchor)
{
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(handle());
    const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON |
                       (GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    const auto chosen = static_cast<int>(
        TrackPopupMenuEx(trayMenu.get(), flags, anchor.x, anchor.y, handle(), nullptr));
    PostMessageW(handle(), WM_NULL, 0, 0);
    if (chosen != 0) {
        onMenuCommand(chosen);
    }
}

} // namespace nimbrel
