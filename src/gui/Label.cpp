#include "gui/Label.h"

#include <string>

namespace nimbrel::gui {

void Label::create(HWND parent, int id, std::wstring_view text, POINT origin)
{
    Control::create(parent, id, L"STATIC", text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                    RECT{origin.x, origin.y, origin.x + 1, origin.y + 1});
    text_ = text;
    fitToText();
}

void Label::setText(std::wstring_view text)
{
    // Rows are rewritten many times a pass, mostly with what they show already.
    if (text == text_) {
        return;
    }
    text_ = text;
    Control::setText(text);
    fitToText();
}

void Label::setFont(HFONT font)
{
    Control::setFont(font);
    fitToText();
}

void Label::fitToText()
{
    const std::wstring current = text();
    HDC dc = GetDC(handle());
    const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? static_cast<HGDIOBJ>(font)
                                                        : GetStockObject(SYSTEM_FONT));
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc, current.empty() ? L" " : current.c_str(), -1, &needed,
              DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, previous);
    ReleaseDC(handle(), dc);
    SetWindowPos(handle(), nullptr, 0, 0, needed.right, needed.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace nimbrel::gui
