#pragma once

#include "gui/Control.h"

#include <functional>
#include <vector>

namespace nimbrel::gui {

// Text of one or more lines ('\n') of which the characters [start, start + length) are a link:
// navy, underlined while the pointer is over it, opened by a click or by Enter/Space.
// A click outside the link does nothing. The label sizes itself to its text.
class LinkLabel : public Control {
public:
    void create(HWND parent, int id, std::wstring_view text, POINT origin, size_t linkStart,
                size_t linkLength);
    void setFont(HFONT font);

    std::function<void()> linkClicked;

    // Whether a point in the label's client area lies on the link.
    [[nodiscard]] bool onLink(POINT point) const;

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Run {
        RECT bounds;
        size_t first;
        size_t count;
        bool link;
    };
    void layOut();
    void paint(HDC dc);
    void setHot(bool hot);

    std::wstring text_;
    size_t linkStart_ = 0;
    size_t linkEnd_ = 0;
    HFONT font_ = nullptr;
    std::vector<Run> runs_;
    bool hot_ = false;
    bool pressed_ = false;
};

} // namespace nimbrel::gui
