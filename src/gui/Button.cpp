#include "gui/Button.h"

namespace nimbrel::gui {

void Button::create(HWND parent, int id, std::wstring_view text, RECT bounds)
{
    Control::create(parent, id, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                    bounds);
}

void Button::onCommand(WORD notification)
{
    if (notification == BN_CLICKED && click) {
        click();
    }
}

} // namespace nimbrel::gui
