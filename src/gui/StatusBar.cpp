#include "gui/StatusBar.h"

#include <commctrl.h>

namespace nimbrel::gui {

void StatusBar::create(HWND parent, int id, RECT bounds)
{
    Control::create(parent, id, STATUSCLASSNAMEW, L"",
                    WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0, bounds);
    int rightEdges[] = {-1};
    SendMessageW(handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(rightEdges));
}

void StatusBar::setText(std::wstring_view text)
{
    if (text == text_ && handle() != nullptr && !text_.empty()) {
        return;
    }
    text_ = text;
    SendMessageW(handle(), SB_SETTEXTW, MAKEWPARAM(0, SBT_NOBORDERS),
                 reinterpret_cast<LPARAM>(text_.c_str()));
}

} // namespace nimbrel::gui
