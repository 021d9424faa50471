#include "InterfaceList.h"

#include "wlansim/Layout.h"

#include <algorithm>
#include <cstring>

namespace wlansim {

static_assert(sizeof(wchar_t) == sizeof(WCHAR));

void writeInterfaceList(void* memory, const std::vector<Adapter>& adapters)
{
    // Written byte by byte: the state is any 32-bit number, most of them no WLAN_INTERFACE_STATE.
    auto* bytes = static_cast<std::byte*>(memory);
    std::memset(bytes, 0, interfaceListSize(adapters.size()));
    const auto count = static_cast<DWORD>(adapters.size());
    std::memcpy(bytes, &count, sizeof count);
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        const Adapter& adapter = adapters[i];
        std::byte* item = bytes + interfaceListSize(i);
        std::memcpy(item, &adapter.guid, sizeof adapter.guid);
        const std::size_t units = std::min(adapter.description.size(), descriptionUnits);
        std::memcpy(item + descriptionOffset, adapter.description.data(), units * sizeof(WCHAR));
        std::memcpy(item + stateOffset, &adapter.state, sizeof adapter.state);
    }
}

} // namespace wlansim
