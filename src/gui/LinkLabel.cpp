#include "gui/LinkLabel.h"

#include "core/UniqueHandle.h"

#include <algorithm>
#include <windowsx.h>

namespace nimbrel::gui {

namespace {

constexpr wchar_t className[] = L"Nimbrel.LinkLabel";
constexpr COLORREF linkColour = RGB(0, 0, 128);

// A font like the given one, underlined.
UniqueFont underlined(HFONT font)
{
    LOGFONTW description{};
    GetObjectW(font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
               sizeof(description), &description);
    description.lfUnderline = TRUE;
    return UniqueFont(CreateFontIndirectW(&description));
}

} // namespace

void LinkLabel::create(HWND parent, int id, std::wstring_view text, POINT origin,
                       size_t linkStart, size_t linkLength)
{
    registerOwnClass(className, &ownClassProc<LinkLabel>, nullptr);
    text_ = text;
    // An area reaching past the text is the whole rest of the text.
    linkStart_ = std::min(linkStart, text_.size());
    linkEnd_ = std::min(text_.size(), linkStart_ + std::min(linkLength, text_.size()));
    Control::create(parent, id, className, text, WS_VISIBLE | WS_TABSTOP, WS_EX_TRANSPARENT,
                    RECT{origin.x, origin.y, origin.x + 1, origin.y + 1}, this);
    layOut();
}

void LinkLabel::setFont(HFONT font)
{
    font_ = font;
    layOut();
    InvalidateRect(handle(), nullptr, TRUE);
}

void LinkLabel::layOut()
{
    runs_.clear();
    HDC dc = GetDC(handle());
    HGDIOBJ previous = SelectObject(dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_)
                                                        : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight;
    int width = 0;
    int top = 0;
    size_t lineStart = 0;
    while (lineStart <= text_.size()) {
        size_t lineEnd = text_.find(L'\n', lineStart);
        if (lineEnd == std::wstring::npos) {
            lineEnd = text_.size();
        }
        // Split the line where the link begins and ends.
        size_t cuts[] = {lineStart, std::clamp(linkStart_, lineStart, lineEnd),
                         std::clamp(linkEnd_, lineStart, lineEnd), lineEnd};
        int left = 0;
        for (int i = 0; i < 3; ++i) {
            const size_t count = cuts[i + 1] - cuts[i];
            if (count == 0) {
                continue;
            }
            SIZE extent{};
            GetTextExtentPoint32W(dc, text_.data() + cuts[i], static_cast<int>(count), &extent);
            runs_.push_back({RECT{left, top, left + extent.cx, top + lineHeight}, cuts[i], count,
                             i == 1});
            left += extent.cx;
        }
        width = std::max(width, left);
        top += lineHeight;
        lineStart = lineEnd + 1;
    }
    SelectObject(dc, previous);
    ReleaseDC(handle(), dc);
    SetWindowPos(handle(), nullptr, 0, 0, width + 1, top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool LinkLabel::onLink(POINT point) const
{
    return std::any_of(runs_.begin(), runs_.end(),
                       [&](const Run& run) { return run.link && PtInRect(&run.bounds, point); });
}

void LinkLabel::setHot(bool hot)
{
    if (hot != hot_) {
        hot_ = hot;
        InvalidateRect(handle(), nullptr, TRUE);
    }
}

void LinkLabel::paint(HDC dc)
{
    const UniqueFont hotFont = hot_ ? underlined(font_) : UniqueFont();
    SetBkMode(dc, TRANSPARENT);
    const bool enabled = IsWindowEnabled(handle()) != FALSE;
    for (const Run& run : runs_) {
        const bool underline = run.link && hot_;
        HGDIOBJ previous = SelectObject(dc, underline ? static_cast<HGDIOBJ>(hotFont.get())
                                        : font_ != nullptr ? static_cast<HGDIOBJ>(font_)
                                                           : GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT)
                         : run.link ? linkColour
                                    : GetSysColor(COLOR_WINDOWTEXT));
        TextOutW(dc, run.bounds.left, run.bounds.top, text_.data() + run.first,
                 static_cast<int>(run.count));
        SelectObject(dc, previous);
    }
    if (GetFocus() == handle()) {
        for (const Run& run : runs_) {
            if (run.link) {
                DrawFocusRect(dc, &run.bounds);
            }
        }
    }
}

LRESULT LinkLabel::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        eraseWithParentBackground(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paintInfo;
        HDC dc = BeginPaint(window, &paintInfo);
        paint(dc);
        EndPaint(window, &paintInfo);
        return 0;
    }
    case WM_MOUSEMOVE: {
        const bool over = onLink(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (over && !hot_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
        }
        setHot(over);
        return 0;
    }
    case WM_MOUSELEAVE:
        setHot(false);
        return 0;
    case WM_SETCURSOR: {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(window, &point);
        if (onLink(point)) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN:
        pressed_ = onLink(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (pressed_) {
            SetFocus(window);
        }
        return 0;
    case WM_LBUTTONUP: {
        const bool click = pressed_ && onLink(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        pressed_ = false;
        if (click && linkClicked) {
            linkClicked();
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && linkStart_ < linkEnd_ && linkClicked) {
            linkClicked();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(window, nullptr, TRUE);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace nimbrel::gui
