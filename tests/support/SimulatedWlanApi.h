#pragma once

#include "wlan/WlanApi.h"
#include "wlansim/Service.h"

namespace nimbrel::testing {

// The program's Native Wifi seam over the in-process simulated service.
class SimulatedWlanApi final : public WlanApi {
public:
    explicit SimulatedWlanApi(wlansim::Service& service) : service_(service) {}

    DWORD openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                     PHANDLE clientHandle) override
    {
        return service_.openHandle(clientVersion, reserved, negotiatedVersion, clientHandle);
    }
    DWORD enumInterfaces(HANDLE clientHandle, PVOID reserved,
                         PWLAN_INTERFACE_INFO_LIST* interfaceList) override
    {
        return service_.enumInterfaces(clientHandle, reserved, interfaceList);
    }
    DWORD queryInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                         PVOID reserved, PDWORD dataSize, PVOID* data,
                         PWLAN_OPCODE_VALUE_TYPE valueType) override
    {
        return service_.queryInterface(clientHandle, interfaceGuid, opCode, reserved, dataSize,
                                       data, valueType);
    }
    DWORD setInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                       DWORD dataSize, const PVOID data, PVOID reserved) override
    {
        return service_.setInterface(clientHandle, interfaceGuid, opCode, dataSize, data,
                                     reserved);
    }
    void freeMemory(PVOID memory) override { service_.freeMemory(memory); }
    DWORD closeHandle(HANDLE clientHandle, PVOID reserved) override
    {
        return service_.closeHandle(clientHandle, reserved);
    }

private:
    wlansim::Service& service_;
};

} // namespace nimbrel::testing
