#pragma once

#include <windows.h>
#include <wlanapi.h>

namespace nimbrel {

// The six Native Wifi calls the program makes, behind one interface so that tests can stand in a
// simulated service. Signatures follow wlanapi.h one to one.
class WlanApi {
public:
    virtual ~WlanApi() = default;

    virtual DWORD openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                             PHANDLE clientHandle) = 0;
    virtual DWORD enumInterfaces(HANDLE clientHandle, PVOID reserved,
                                 PWLAN_INTERFACE_INFO_LIST* interfaceList) = 0;
    virtual DWORD queryInterface(HANDLE clientHandle, const GUID* interfaceGuid,
                                 WLAN_INTF_OPCODE opCode, PVOID reserved, PDWORD dataSize,
                                 PVOID* data, PWLAN_OPCODE_VALUE_TYPE valueType) = 0;
    virtual DWORD setInterface(HANDLE clientHandle, const GUID* interfaceGuid,
                               WLAN_INTF_OPCODE opCode, DWORD dataSize, const PVOID data,
                               PVOID reserved) = 0;
    virtual void freeMemory(PVOID memory) = 0;
    virtual DWORD closeHandle(HANDLE clientHandle, PVOID reserved) = 0;
};

// The system's wlanapi.dll, imported at load time: without it the program does not start.
WlanApi& systemWlanApi();

} // namespace nimbrel
