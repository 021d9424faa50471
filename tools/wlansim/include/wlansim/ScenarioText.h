#pragma once

#include "wlansim/Scenario.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wlansim {

// A line the parser skipped, and why. Line 0 stands for the whole text.
struct Diagnostic {
    std::size_t line = 0;
    std::string reason;
};

struct ParsedScenario {
    Scenario scenario;
    std::vector<Diagnostic> diagnostics;
};

// Lenient on purpose: a bad line or section is skipped with a diagnostic and the rest still
// applies, so a typo made while editing a live scenario does not take every adapter away.
ParsedScenario parseScenario(std::string_view text);

// The same format, which parseScenario reads back to an equal Scenario.
std::string formatScenario(const Scenario& scenario);

} // namespace wlansim
