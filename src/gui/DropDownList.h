#pragma once

#include "gui/Control.h"

#include <vector>

namespace nimbrel::gui {

// A select-only combo box of text items; keeps its items so that lookups are exact and cheap.
class DropDownList : public Control {
public:
    void create(HWND parent, int id, RECT bounds);

    void clear();
    void add(std::wstring item);
    // The same items as clear() and add() would give, touching the control only for a change.
    void setItems(const std::vector<std::wstring>& items);
    // Exact, case-sensitive match, unlike CB_FINDSTRINGEXACT.
    [[nodiscard]] bool contains(std::wstring_view item) const;
    [[nodiscard]] const std::vector<std::wstring>& items() const noexcept { return items_; }
    [[nodiscard]] int count() const noexcept { return static_cast<int>(items_.size()); }

    [[nodiscard]] int selectedIndex() const;
    void select(int index);

private:
    std::vector<std::wstring> items_;
};

} // namespace nimbrel::gui
