#pragma once

#include "gui/Component.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace nimbrel::gui {

// The icon in the notification area. It sends its mouse events to the owner window as
// callbackMessage (NOTIFYICON_VERSION_4 layout) and leaves the notification area when released.
class TrayIcon : public Component {
public:
    TrayIcon(HWND owner, UINT id, UINT callbackMessage, HICON icon, std::wstring_view text);
    ~TrayIcon() override;

    [[nodiscard]] HICON icon() const noexcept { return icon_; }
    [[nodiscard]] const std::wstring& text() const noexcept { return text_; }
    [[nodiscard]] bool shown() const noexcept { return added_; }

    void setIcon(HICON icon);
    void setText(std::wstring_view text);

    // Puts the icon into the notification area; false when the shell is not ready yet.
    bool add();
    // After Explorer restarted or the DPI changed: brought up to date if still there, else added.
    bool restore();

private:
    [[nodiscard]] NOTIFYICONDATAW data(UINT flags) const;

    HWND owner_;
    UINT id_;
    UINT callbackMessage_;
    HICON icon_;
    std::wstring text_;
    bool added_ = false;
};

} // namespace nimbrel::gui
