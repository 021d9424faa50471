#pragma once

#include "gui/Control.h"

#include <functional>

namespace nimbrel::gui {

// Raises `changed` on every change of its checked state, the program's own changes included:
// Win32 notifies only clicks, so the wrapper does the rest.
class CheckBox : public Control {
public:
    void create(HWND parent, int id, std::wstring_view text, RECT bounds);

    [[nodiscard]] bool checked() const noexcept { return checked_; }
    void setChecked(bool checked);

    std::function<void()> changed;

    void onCommand(WORD notification) override;

private:
    bool checked_ = false;
};

} // namespace nimbrel::gui
