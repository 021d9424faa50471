#pragma once

#include "wlan/WlanApi.h"
#include "wlansim/Service.h"

namespace nimbrel::bench {

// The program's Native Wifi seam over the in-process simulated service, as the unit tests have
// it, and counting the writes: the pass and its bare calls compare only while neither writes.
// The pass and the bare calls both go through it, so both pay the same virtual call.
class CountingWlanApi final : public WlanApi {
public:
    explicit CountingWlanApi(wlansim::Service& service) : service_(service) {}

    DWORD openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                     PHANDLE clientHandle) override;
    DWORD enumInterfaces(HANDLE clientHandle, PVOID reserved,
                         PWLAN_INTERFACE_INFO_LIST* interfaceList) override;
    DWORD queryInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                         PVOID reserved, PDWORD dataSize, PVOID* data,
                         PWLAN_OPCODE_VALUE_TYPE valueType) override;
    DWORD setInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                       DWORD dataSize, const PVOID data, PVOID reserved) override;
    void freeMemory(PVOID memory) override;
    DWORD closeHandle(HANDLE clientHandle, PVOID reserved) override;

    [[nodiscard]] unsigned long writes() const noexcept { return writes_; }
    void forgetWrites() noexcept { writes_ = 0; }

private:
    wlansim::Service& service_;
    unsigned long writes_ = 0;
};

} // namespace nimbrel::bench
