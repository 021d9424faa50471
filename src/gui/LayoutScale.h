#pragma once

#include <windows.h>

namespace nimbrel::gui {

// Turns layout units (pixels for a 6×13 character cell at 96 DPI) into the pixels of the font
// actually in use, which already reflects the monitor's DPI.
class LayoutScale {
public:
    LayoutScale() = default;
    LayoutScale(SIZE cell) : cell_(cell) {}

    // The average character cell of a font, measured the way dialog units are.
    static LayoutScale ofFont(HFONT font);

    [[nodiscard]] int x(int units) const { return MulDiv(units, cell_.cx, 6); }
    [[nodiscard]] int y(int units) const { return MulDiv(units, cell_.cy, 13); }
    [[nodiscard]] RECT rect(int left, int top, int width, int height) const
    {
        return RECT{x(left), y(top), x(left + width), y(top + height)};
    }
    [[nodiscard]] SIZE cell() const noexcept { return cell_; }

private:
    SIZE cell_{6, 13};
};

inline LayoutScale LayoutScale::ofFont(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{};
    constexpr wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    GetTextExtentPoint32W(dc, letters, 52, &extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    const LONG width = (extent.cx / 26 + 1) / 2;
    if (width <= 0 || metrics.tmHeight <= 0) {
        return LayoutScale();
    }
    return LayoutScale(SIZE{width, metrics.tmHeight});
}

} // namespace nimbrel::gui
