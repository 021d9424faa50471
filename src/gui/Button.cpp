#include "gui/Button.h"

#include <commctrl.h>

namespace nimbrel::gui {

void Button::create(HWND parent, int id, std::wstring_view text, RECT bounds)
{
    Control::create(parent, id, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                    bounds);
}

namespace {

LRESULT CALLBACK handCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &handCursorProc, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void Button::useHandCursor() { SetWindowSubclass(handle(), &handCursorProc, 1, 0); }

void Button::onCommand(WORD notification)
{
    if (notification == BN_CLICKED && click) {
        click();
    }
}

} // namespace nimbrel::gui
