#include "gui/ToolTip.h"

#include <commctrl.h>

namespace nimbrel::gui {

ToolTip::ToolTip(HWND owner) : owner_(owner)
{
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ != nullptr) {
        SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
}

ToolTip::~ToolTip()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void ToolTip::setReshowDelay(UINT milliseconds)
{
    SendMessageW(window_, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(milliseconds, 0));
}

void ToolTip::add(HWND control, std::wstring_view text)
{
    std::wstring copy(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = copy.data();
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::addArea(HWND window, RECT area, std::wstring_view text)
{
    std::wstring copy(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = nextAreaId_++;
    tool.rect = area;
    tool.lpszText = copy.data();
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring ToolTip::textOf(HWND control) const
{
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(window_, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
}

} // namespace nimbrel::gui
