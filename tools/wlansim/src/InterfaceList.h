#pragma once

#include "wlansim/Scenario.h"

#include <vector>

namespace wlansim {

// Lays out a WLAN_INTERFACE_INFO_LIST of these adapters in `memory`, which must hold
// interfaceListSize(adapters.size()) bytes. A description of 256 units or more fills the whole
// field and has no terminator, as a driver's can.
void writeInterfaceList(void* memory, const std::vector<Adapter>& adapters);

} // namespace wlansim
