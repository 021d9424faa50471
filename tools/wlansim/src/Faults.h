#pragma once

#include "wlansim/Scenario.h"

#include <optional>
#include <string>
#include <vector>

namespace wlansim {

// Why a fault cannot be simulated as written, or nothing when it can.
std::optional<std::string> faultProblem(const Fault& fault);

// The first fault that matches the call and has not run out fires, and counts down.
std::optional<Fault> takeFault(std::vector<Fault>& faults, Call call, const GUID* adapter = nullptr,
                               std::optional<DWORD> opcode = std::nullopt);

} // namespace wlansim
