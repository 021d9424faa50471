#pragma once

#include <windows.h>

#include <string_view>

namespace nimbrel {

// Modal message boxes, behind an interface so that tests can read a box instead of answering it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Blocks until the box is closed; returns the button pressed (IDOK, ...), 0 on failure.
    virtual int show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) = 0;
};

// MessageBoxW.
MessageBoxes& systemMessageBoxes();

} // namespace nimbrel
