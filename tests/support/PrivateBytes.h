#pragma once

#include <cstddef>

namespace nimbrel::testing {

// Committed private memory of this process, summed over its address space. Under Wine the
// PrivateUsage of GetProcessMemoryInfo answers 0, so it is counted region by region instead.
std::size_t privateBytes();

} // namespace nimbrel::testing
