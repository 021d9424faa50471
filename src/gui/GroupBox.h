#pragma once

#include "gui/Control.h"

namespace nimbrel::gui {

// A captioned frame. Its controls are its siblings on the page, laid out inside it, so their
// notifications reach the page without a relay.
class GroupBox : public Control {
public:
    void create(HWND parent, int id, std::wstring_view text, RECT bounds)
    {
        Control::create(parent, id, L"BUTTON", text, WS_VISIBLE | BS_GROUPBOX, 0, bounds);
    }
};

} // namespace nimbrel::gui
