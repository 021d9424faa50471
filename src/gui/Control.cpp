#include "gui/Control.h"

#include <stdexcept>

namespace nimbrel::gui {

void Control::create(HWND parent, int id, const wchar_t* className, std::wstring_view text,
                     DWORD style, DWORD exStyle, RECT bounds, void* createParam)
{
    const std::wstring caption(text);
    handle_ = CreateWindowExW(exStyle, className, caption.c_str(), style | WS_CHILD, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), createParam);
    if (handle_ == nullptr) {
        throw std::runtime_error("a control could not be created");
    }
    id_ = id;
}

void Control::registerOwnClass(const wchar_t* className, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

void Control::eraseWithParentBackground(HWND window, HDC dc)
{
    HWND parent = GetParent(window);
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT previous;
    OffsetWindowOrgEx(dc, origin.x, origin.y, &previous);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
}

bool Control::enabled() const { return IsWindowEnabled(handle_) != FALSE; }

void Control::setEnabled(bool enabled) { EnableWindow(handle_, enabled ? TRUE : FALSE); }

std::wstring Control::text() const
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::setText(std::wstring_view text)
{
    const std::wstring copy(text);
    SetWindowTextW(handle_, copy.c_str());
}

void Control::setFont(HFONT font)
{
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

RECT Control::bounds() const
{
    RECT rect{};
    GetWindowRect(handle_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Control::moveTo(int x, int y)
{
    SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace nimbrel::gui
