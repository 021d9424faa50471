#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wlansim {

// None when the text is not valid UTF-8.
std::optional<std::wstring> utf8ToWide(std::string_view text);
std::string wideToUtf8(std::wstring_view text);

} // namespace wlansim
