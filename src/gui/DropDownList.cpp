#include "gui/DropDownList.h"

#include <algorithm>

namespace nimbrel::gui {

void DropDownList::create(HWND parent, int id, RECT bounds)
{
    // The height of a drop-down list is that of its open list; the closed box sizes itself.
    bounds.bottom = bounds.top + 200;
    Control::create(parent, id, L"COMBOBOX", L"",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, bounds);
    items_.clear();
}

void DropDownList::clear()
{
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    items_.clear();
}

void DropDownList::add(std::wstring item)
{
    SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    items_.push_back(std::move(item));
}

void DropDownList::setItems(const std::vector<std::wstring>& items)
{
    if (items == items_) {
        return;
    }
    clear();
    for (const std::wstring& item : items) {
        add(item);
    }
}

bool DropDownList::contains(std::wstring_view item) const
{
    return std::find(items_.begin(), items_.end(), item) != items_.end();
}

int DropDownList::selectedIndex() const
{
    return static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
}

void DropDownList::select(int index)
{
    if (selectedIndex() != index) {
        SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

} // namespace nimbrel::gui
