#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace nimbrel::gui {

// A child control made by the window; the window destroys it with itself, so this does not own it.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    [[nodiscard]] HWND handle() const noexcept { return handle_; }
    [[nodiscard]] int id() const noexcept { return id_; }

    [[nodiscard]] bool enabled() const;
    void setEnabled(bool enabled);
    [[nodiscard]] std::wstring text() const;
    void setText(std::wstring_view text);
    void setFont(HFONT font);
    [[nodiscard]] RECT bounds() const; // in the parent's client coordinates
    void moveTo(int x, int y);

    // WM_COMMAND notifications that the parent routes to the control by its id.
    virtual void onCommand(WORD /*notification*/) {}

protected:
    void create(HWND parent, int id, const wchar_t* className, std::wstring_view text, DWORD style,
                DWORD exStyle, RECT bounds, void* createParam = nullptr);

    // Window procedure of the program's own control classes: `this` rides in with WM_NCCREATE.
    template <typename Self>
    static LRESULT CALLBACK ownClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Self*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
        try {
            return self->handleMessage(window, message, wParam, lParam);
        } catch (...) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }

    // For controls without a background of their own: the parent's shows through.
    static void eraseWithParentBackground(HWND window, HDC dc);

    // Registers a class of the program's own once per process.
    static void registerOwnClass(const wchar_t* className, WNDPROC procedure, HBRUSH background);

private:
    HWND handle_ = nullptr;
    int id_ = 0;
};

} // namespace nimbrel::gui
