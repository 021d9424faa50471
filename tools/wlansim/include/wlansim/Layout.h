#pragma once

#include <windows.h>
#include <wlanapi.h>

#include <cstddef>

namespace wlansim {

// The published layouts that callers compiled against wlanapi.h rely on. Offsets are used rather
// than sizeof(WLAN_INTERFACE_INFO_LIST), whose trailing array is declared [] by MinGW, [1] by MSVC.
inline constexpr std::size_t interfaceInfoSize = 532;
inline constexpr std::size_t interfaceListHeaderSize = 8;
inline constexpr std::size_t descriptionUnits = 256;
inline constexpr std::size_t descriptionOffset = 16;
inline constexpr std::size_t stateOffset = 528;

static_assert(sizeof(WLAN_INTERFACE_INFO) == interfaceInfoSize);
static_assert(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) == interfaceListHeaderSize);
static_assert(offsetof(WLAN_INTERFACE_INFO, strInterfaceDescription) == descriptionOffset);
static_assert(sizeof(WLAN_INTERFACE_INFO::strInterfaceDescription) / sizeof(WCHAR) ==
              descriptionUnits);
static_assert(offsetof(WLAN_INTERFACE_INFO, isState) == stateOffset);
static_assert(sizeof(WLAN_INTERFACE_STATE) == sizeof(DWORD));

constexpr std::size_t interfaceListSize(std::size_t items)
{
    return interfaceListHeaderSize + items * interfaceInfoSize;
}

} // namespace wlansim
