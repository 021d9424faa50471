#include "BareCalls.h"

#include <cstring>

namespace nimbrel::bench {

namespace {

constexpr WLAN_INTF_OPCODE tweakOpcodes[] = {wlan_intf_opcode_autoconf_enabled,
                                             wlan_intf_opcode_background_scan_enabled,
                                             wlan_intf_opcode_media_streaming_mode};

} // namespace

BareCalls::BareCalls(WlanApi& wlan) : wlan_(wlan)
{
    DWORD negotiated = 0;
    if (wlan_.openHandle(2, nullptr, &negotiated, &client_) != ERROR_SUCCESS) {
        client_ = nullptr;
    }
}

BareCalls::~BareCalls()
{
    if (client_ != nullptr) {
        wlan_.closeHandle(client_, nullptr);
    }
}

void BareCalls::query(const GUID& adapter, WLAN_INTF_OPCODE opcode)
{
    DWORD size = 0;
    PVOID data = nullptr;
    if (wlan_.queryInterface(client_, &adapter, opcode, nullptr, &size, &data, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    if (data != nullptr) {
        if (size >= sizeof lastValue_) {
            std::memcpy(&lastValue_, data, sizeof lastValue_);
        }
        wlan_.freeMemory(data);
    }
}

void BareCalls::pass()
{
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    if (wlan_.enumInterfaces(client_, nullptr, &list) != ERROR_SUCCESS || list == nullptr) {
        return;
    }
    for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
        for (WLAN_INTF_OPCODE opcode : tweakOpcodes) {
            query(list->InterfaceInfo[i].InterfaceGuid, opcode);
        }
    }
    if (list->dwNumberOfItems > 0) {
        for (WLAN_INTF_OPCODE opcode : tweakOpcodes) {
            query(list->InterfaceInfo[0].InterfaceGuid, opcode);
        }
    }
    wlan_.freeMemory(list);
}

} // namespace nimbrel::bench
