#pragma once

#include "gui/Component.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace nimbrel::gui {

// One tooltip window serving every control of a window.
class ToolTip : public Component {
public:
    explicit ToolTip(HWND owner);
    ~ToolTip() override;

    void setReshowDelay(UINT milliseconds);
    // A control's tip, shown while the pointer rests on it.
    void add(HWND control, std::wstring_view text);
    // A tip for an area of a window, for controls that let the pointer through (group boxes).
    void addArea(HWND window, RECT area, std::wstring_view text);
    [[nodiscard]] std::wstring textOf(HWND control) const;
    [[nodiscard]] HWND handle() const noexcept { return window_; }

private:
    HWND owner_;
    HWND window_ = nullptr;
    UINT_PTR nextAreaId_ = 1;
};

} // namespace nimbrel::gui
