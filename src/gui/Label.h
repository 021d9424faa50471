#pragma once

#include "gui/Control.h"

#include <string>

namespace nimbrel::gui {

// A static text that sizes itself to its text, as its width places the controls beside it.
class Label : public Control {
public:
    void create(HWND parent, int id, std::wstring_view text, POINT origin);
    void setText(std::wstring_view text);
    void setFont(HFONT font);

    [[nodiscard]] std::wstring text() const { return text_; }

private:
    void fitToText();

    std::wstring text_;
};

} // namespace nimbrel::gui
