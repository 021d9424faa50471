#pragma once

#include "wlansim/Scenario.h"

#include <optional>
#include <string_view>

namespace wlansim {

// The words of the scenario format, shared by the parser and the writer so they cannot drift.

const char* callWord(Call call);
std::optional<Call> parseCallWord(std::string_view word);

const char* faultKindWord(FaultKind kind);
std::optional<FaultKind> parseFaultKindWord(std::string_view word);

const char* rulesWord(Rules rules);
std::optional<Rules> parseRulesWord(std::string_view word);

// autoconfig, background_scan, streaming_mode for opcodes 1, 2, 3.
const char* settingWord(DWORD opcode);
std::optional<DWORD> settingOpcodeForWord(std::string_view word);

inline constexpr DWORD settingOpcodes[] = {wlan_intf_opcode_autoconf_enabled,
                                           wlan_intf_opcode_background_scan_enabled,
                                           wlan_intf_opcode_media_streaming_mode};

} // namespace wlansim
