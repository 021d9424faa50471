#include "gui/TabControl.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

namespace nimbrel::gui {

void detail::closeTheme(HANDLE theme) noexcept { CloseThemeData(static_cast<HTHEME>(theme)); }

namespace {
constexpr wchar_t pageClassName[] = L"Nimbrel.TabPage";
}

void TabPage::create(HWND tabControl, int id, std::wstring_view text, PageBackground background)
{
    registerOwnClass(pageClassName, &ownClassProc<TabPage>, nullptr);
    background_ = background;
    Control::create(tabControl, id, pageClassName, text, WS_CLIPSIBLINGS,
                    WS_EX_CONTROLPARENT, RECT{0, 0, 1, 1}, this);
}

HBRUSH TabPage::backgroundBrush() const
{
    if (background_ == PageBackground::window) {
        return GetSysColorBrush(COLOR_WINDOW);
    }
    return themedBrush_ ? themedBrush_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

void TabPage::rebuildBackground()
{
    themedBrush_.reset();
    if (background_ != PageBackground::themedPage || !IsAppThemed()) {
        return;
    }
    RECT area{};
    GetClientRect(handle(), &area);
    if (area.right <= 0 || area.bottom <= 0) {
        return;
    }
    if (!theme_) {
        theme_.reset(OpenThemeData(handle(), L"TAB"));
    }
    const auto theme = static_cast<HTHEME>(theme_.get());
    if (theme == nullptr) {
        return;
    }
    // The theme's page body, drawn once into a brush that the page and its controls share.
    HDC screen = GetDC(handle());
    HDC memory = CreateCompatibleDC(screen);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, area.right, area.bottom));
    HGDIOBJ previous = SelectObject(memory, bitmap.get());
    DrawThemeBackground(theme, memory, TABP_BODY, 0, &area, nullptr);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(handle(), screen);
    themedBrush_.reset(CreatePatternBrush(bitmap.get()));
}

LRESULT TabPage::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_THEMECHANGED:
        theme_.reset();
        [[fallthrough]];
    case WM_SIZE:
        rebuildBackground();
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_ERASEBKGND: {
        RECT area{};
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, backgroundBrush());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Controls draw on the page's own background, aligned with it.
        auto dc = reinterpret_cast<HDC>(wParam);
        auto control = reinterpret_cast<HWND>(lParam);
        SetBkMode(dc, TRANSPARENT);
        if (background_ == PageBackground::window) {
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        }
        POINT origin{0, 0};
        MapWindowPoints(control, window, &origin, 1);
        SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        return reinterpret_cast<LRESULT>(backgroundBrush());
    }
    case WM_COMMAND:
    case WM_NOTIFY:
        return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_DESTROY:
        themedBrush_.reset();
        theme_.reset();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TabControl::create(HWND parent, int id, RECT bounds)
{
    Control::create(parent, id, WC_TABCONTROLW, L"",
                    WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, bounds);
    SendMessageW(handle(), TCM_SETPADDING, 0, MAKELPARAM(0, 0));
}

TabPage& TabControl::addPage(int id, std::wstring_view text, PageBackground background)
{
    std::wstring title(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    SendMessageW(handle(), TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
    auto page = std::make_unique<TabPage>();
    page->create(handle(), id, text, background);
    pages_.push_back(std::move(page));
    return *pages_.back();
}

void TabControl::layOutPages()
{
    // The display area is known only once the items are in.
    RECT area{};
    GetClientRect(handle(), &area);
    TabCtrl_AdjustRect(handle(), FALSE, &area);
    for (const auto& page : pages_) {
        SetWindowPos(page->handle(), HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
    }
    showSelectedPage();
}

void TabControl::select(int index)
{
    SendMessageW(handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showSelectedPage();
}

int TabControl::selectedIndex() const
{
    return static_cast<int>(SendMessageW(handle(), TCM_GETCURSEL, 0, 0));
}

void TabControl::onNotify(const NMHDR& header)
{
    if (header.code == TCN_SELCHANGE) {
        showSelectedPage();
    }
}

void TabControl::showSelectedPage()
{
    const int selected = selectedIndex();
    for (size_t i = 0; i < pages_.size(); ++i) {
        HWND page = pages_[i]->handle();
        if (static_cast<int>(i) == selected) {
            // New children go to the bottom of the order under Wine: raise the page shown.
            SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        } else {
            ShowWindow(page, SW_HIDE);
        }
    }
}

} // namespace nimbrel::gui
