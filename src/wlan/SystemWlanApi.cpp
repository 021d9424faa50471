#include "wlan/WlanApi.h"

namespace nimbrel {

namespace {

// Straight calls into the imported wlanapi.dll.
class SystemWlanApi final : public WlanApi {
public:
    DWORD openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                     PHANDLE clientHandle) override
    {
        return WlanOpenHandle(clientVersion, reserved, negotiatedVersion, clientHandle);
    }
    DWORD enumInterfaces(HANDLE clientHandle, PVOID reserved,
                         PWLAN_INTERFACE_INFO_LIST* interfaceList) override
    {
        return WlanEnumInterfaces(clientHandle, reserved, interfaceList);
    }
    DWORD queryInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                         PVOID reserved, PDWORD dataSize, PVOID* data,
                         PWLAN_OPCODE_VALUE_TYPE valueType) override
    {
        return WlanQueryInterface(clientHandle, interfaceGuid, opCode, reserved, dataSize, data,
                                  valueType);
    }
    DWORD setInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                       DWORD dataSize, const PVOID data, PVOID reserved) override
    {
        return WlanSetInterface(clientHandle, interfaceGuid, opCode, dataSize, data, reserved);
    }
    void freeMemory(PVOID memory) override { WlanFreeMemory(memory); }
    DWORD closeHandle(HANDLE clientHandle, PVOID reserved) override
    {
        return WlanCloseHandle(clientHandle, reserved);
    }
};

} // namespace

WlanApi& systemWlanApi()
{
    static SystemWlanApi api;
    return api;
}

} // namespace nimbrel
