#include "gui/CheckBox.h"

namespace nimbrel::gui {

void CheckBox::create(HWND parent, int id, std::wstring_view text, RECT bounds)
{
    Control::create(parent, id, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                    bounds);
    checked_ = false;
}

void CheckBox::setChecked(bool checked)
{
    if (checked == checked_) {
        return;
    }
    SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    checked_ = checked;
    if (changed) {
        changed();
    }
}

void CheckBox::onCommand(WORD notification)
{
    if (notification != BN_CLICKED) {
        return;
    }
    const bool nowChecked = SendMessageW(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (nowChecked != checked_) {
        checked_ = nowChecked;
        if (changed) {
            changed();
        }
    }
}

} // namespace nimbrel::gui
