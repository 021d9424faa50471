#pragma once

#include "wlansim/CallRecord.h"

#include <string>
#include <string_view>

namespace wlansim {

// `<UTC time> pid=<n> call=<WlanName> handle=<hex|-> adapter=<guid|-> opcode=<n|-> value=<n|->
// size=<n|-> buffer=<hex|-> result=<n>`, and ` freed=<what>` for WlanFreeMemory.
std::string formatCallLine(const CallRecord& record);

// `<UTC time> pid=<n> event=<name> <details>`, for reloads and what the parser skipped.
std::string formatEventLine(std::string_view event, std::string_view details);

} // namespace wlansim
