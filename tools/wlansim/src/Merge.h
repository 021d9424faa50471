#pragma once

#include "wlansim/Scenario.h"

namespace wlansim {

// The scenario that holds after a reload. The file is the source of everything clients cannot
// change, so that comes from `nextRead`. A setting a client may have changed keeps its live value
// unless the file's value for it changed since `previousRead`; adapters are matched by GUID, new
// ones take the file, removed ones vanish. A fault keeps its remaining count while its
// definition in the file stays the same.
Scenario mergeReload(const Scenario& previousRead, const Scenario& nextRead, const Scenario& live);

} // namespace wlansim
