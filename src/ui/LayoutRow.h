#pragma once

#include "app/Form1.h"

#include <string_view>

namespace nimbrel {

enum class ControlKind {
    tabControl,
    tabPage,
    groupBox,
    dropDownList,
    pictureBox,
    label,
    linkLabel,
    statusBar,
    checkBox,
    button,
};

// One control of the window: where it goes, what it says and what it does. Positions and sizes
// are layout units (a 6×13 character cell at 96 DPI), relative to the parent; a width of 0 means
// the control sizes itself to its text.
struct LayoutRow {
    int id;
    ControlKind kind;
    int parent; // 0: the window itself
    POINT position;
    SIZE size;
    std::wstring_view text;
    int tabIndex;
    // Settings of some kinds.
    std::wstring_view imageKey = {};
    std::wstring_view tooltip = {};
    size_t linkStart = 0;
    size_t linkLength = 0;
    bool smallFont = false;
    bool handCursor = false;
    gui::PageBackground pageBackground = gui::PageBackground::themedPage;
    EventHandler handler = nullptr;
};

} // namespace nimbrel
