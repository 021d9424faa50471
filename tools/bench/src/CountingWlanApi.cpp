#include "CountingWlanApi.h"

namespace nimbrel::bench {

DWORD CountingWlanApi::openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                                  PHANDLE clientHandle)
{
    return service_.openHandle(clientVersion, reserved, negotiatedVersion, clientHandle);
}

DWORD CountingWlanApi::enumInterfaces(HANDLE clientHandle, PVOID reserved,
                                      PWLAN_INTERFACE_INFO_LIST* interfaceList)
{
    return service_.enumInterfaces(clientHandle, reserved, interfaceList);
}

DWORD CountingWlanApi::queryInterface(HANDLE clientHandle, const GUID* interfaceGuid,
                                      WLAN_INTF_OPCODE opCode, PVOID reserved, PDWORD dataSize,
                                      PVOID* data, PWLAN_OPCODE_VALUE_TYPE valueType)
{
    return service_.queryInterface(clientHandle, interfaceGuid, opCode, reserved, dataSize, data,
                                   valueType);
}

DWORD CountingWlanApi::setInterface(HANDLE clientHandle, const GUID* interfaceGuid,
                                    WLAN_INTF_OPCODE opCode, DWORD dataSize, const PVOID data,
                                    PVOID reserved)
{
    ++writes_;
    return service_.setInterface(clientHandle, interfaceGuid, opCode, dataSize, data, reserved);
}

void CountingWlanApi::freeMemory(PVOID memory)
{
    service_.freeMemory(memory);
}

DWORD CountingWlanApi::closeHandle(HANDLE clientHandle, PVOID reserved)
{
    return service_.closeHandle(clientHandle, reserved);
}

} // namespace nimbrel::bench
