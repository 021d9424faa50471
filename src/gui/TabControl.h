#pragma once

#include "core/UniqueHandle.h"
#include "gui/Control.h"

#include <memory>
#include <vector>

namespace nimbrel::gui {

namespace detail {
inline void deleteBrush(HBRUSH brush) noexcept { ::DeleteObject(brush); }
void closeTheme(HANDLE theme) noexcept;
} // namespace detail
using UniqueBrush = UniqueAny<HBRUSH, detail::deleteBrush>;
using UniqueTheme = UniqueAny<HANDLE, detail::closeTheme>;

enum class PageBackground { window, themedPage };

// One page of a tab control: the parent of its controls. It hands their notifications to the
// main window and paints the background they stand on.
class TabPage : public Control {
public:
    void create(HWND tabControl, int id, std::wstring_view text, PageBackground background);

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void rebuildBackground();
    [[nodiscard]] HBRUSH backgroundBrush() const;

    PageBackground background_ = PageBackground::themedPage;
    // Opened once and kept: the theme's images are loaded with it.
    UniqueTheme theme_;
    UniqueBrush themedBrush_;
};

class TabControl : public Control {
public:
    void create(HWND parent, int id, RECT bounds);

    TabPage& addPage(int id, std::wstring_view text, PageBackground background);
    // Fits the pages into the display area; after the items are in and whenever sizes change.
    void layOutPages();
    void select(int index);
    [[nodiscard]] int selectedIndex() const;
    [[nodiscard]] TabPage& page(size_t index) { return *pages_.at(index); }
    [[nodiscard]] size_t pageCount() const noexcept { return pages_.size(); }

    // TCN_SELCHANGE arrives at the parent as WM_NOTIFY.
    void onNotify(const NMHDR& header);

private:
    void showSelectedPage();

    std::vector<std::unique_ptr<TabPage>> pages_;
};

} // namespace nimbrel::gui
