#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace wlansim {

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}; braces optional, hex digits of either case.
std::optional<GUID> parseGuid(std::string_view text);

// Upper case, with braces.
std::string formatGuid(const GUID& guid);

} // namespace wlansim
