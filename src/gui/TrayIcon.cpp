#include "gui/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

namespace nimbrel::gui {

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage, HICON icon, std::wstring_view text)
    : owner_(owner), id_(id), callbackMessage_(callbackMessage), icon_(icon), text_(text)
{
    add();
}

TrayIcon::~TrayIcon()
{
    if (added_) {
        NOTIFYICONDATAW nid = data(0);
        Shell_NotifyIconW(NIM_DELETE, &nid);
    }
}

NOTIFYICONDATAW TrayIcon::data(UINT flags) const
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner_;
    nid.uID = id_;
    nid.uFlags = flags;
    nid.uCallbackMessage = callbackMessage_;
    nid.hIcon = icon_;
    // The tooltip holds at most 127 characters and a NUL.
    const size_t length = std::min(text_.size(), std::size(nid.szTip) - 1);
    std::copy_n(text_.begin(), length, nid.szTip);
    nid.szTip[length] = L'\0';
    return nid;
}

bool TrayIcon::add()
{
    NOTIFYICONDATAW nid = data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    if (Shell_NotifyIconW(NIM_ADD, &nid) == FALSE) {
        // It may already be there: then bringing it up to date is all that is needed.
        if (Shell_NotifyIconW(NIM_MODIFY, &nid) == FALSE) {
            added_ = false;
            return false;
        }
    }
    nid.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &nid);
    added_ = true;
    return true;
}

bool TrayIcon::restore()
{
    NOTIFYICONDATAW nid = data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    if (Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE) {
        added_ = true;
        return true;
    }
    added_ = false;
    return add();
}

void TrayIcon::setIcon(HICON icon)
{
    // Passes set the colour after every adapter: only a real change goes to the shell.
    if (icon == icon_) {
        return;
    }
    icon_ = icon;
    if (added_) {
        NOTIFYICONDATAW nid = data(NIF_ICON);
        Shell_NotifyIconW(NIM_MODIFY, &nid);
    }
}

void TrayIcon::setText(std::wstring_view text)
{
    if (text == text_) {
        return;
    }
    text_ = text;
    if (added_) {
        NOTIFYICONDATAW nid = data(NIF_TIP | NIF_SHOWTIP);
        Shell_NotifyIconW(NIM_MODIFY, &nid);
    }
}

} // namespace nimbrel::gui
