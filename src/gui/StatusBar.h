#pragma once

#include "gui/Control.h"

#include <string>

namespace nimbrel::gui {

// A status bar with one text item, placed where its parent says (no sizing grip).
class StatusBar : public Control {
public:
    void create(HWND parent, int id, RECT bounds);

    void setText(std::wstring_view text);
    [[nodiscard]] const std::wstring& text() const noexcept { return text_; }

private:
    std::wstring text_;
};

// The status bar's one text item.
class StatusBarItem {
public:
    void attach(StatusBar& bar) noexcept { bar_ = &bar; }
    void setText(std::wstring_view text)
    {
        if (bar_ != nullptr) {
            bar_->setText(text);
        }
    }
    [[nodiscard]] std::wstring text() const { return bar_ != nullptr ? bar_->text() : std::wstring(); }

private:
    StatusBar* bar_ = nullptr;
};

} // namespace nimbrel::gui
