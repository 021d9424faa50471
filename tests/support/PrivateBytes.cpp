#include "support/PrivateBytes.h"

#include <windows.h>

namespace nimbrel::testing {

std::size_t privateBytes()
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<const unsigned char*>(nullptr);
         VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
    }
    return total;
}

} // namespace nimbrel::testing
