#pragma once

#include "gui/Control.h"

#include <functional>

namespace nimbrel::gui {

class Button : public Control {
public:
    void create(HWND parent, int id, std::wstring_view text, RECT bounds);

    // The hand-shaped pointer over the button, as over a link.
    void useHandCursor();

    std::function<void()> click;

    void onCommand(WORD notification) override;
};

} // namespace nimbrel::gui
