#pragma once

#include "core/UniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace nimbrel {

// A saved check box: none when the value is missing or cannot be read; checked only for the
// exact text "True", whatever else it holds clears the box.
[[nodiscard]] std::optional<bool> readChoice(HKEY key, const wchar_t* name);

// Writes "True" or "False" as a string value.
[[nodiscard]] bool writeChoice(HKEY key, const wchar_t* name, bool checked);

[[nodiscard]] bool writeString(HKEY key, const wchar_t* name, std::wstring_view data);

} // namespace nimbrel
