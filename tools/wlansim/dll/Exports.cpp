// wlanapi.dll as a simulated service: the six calls Nimbrel makes, served by one process-wide
// wlansim::Service built from the environment.

#include "wlansim/Layout.h"
#include "wlansim/Service.h"

#include <windows.h>
#include <wlanapi.h>

#include <new>
#include <string>

namespace {

std::wstring environmentValue(const wchar_t* name)
{
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}

wlansim::Service* createService()
{
    wlansim::Options options;
    options.logFile = environmentValue(L"WLANSIM_LOG");
    options.stateFile = environmentValue(L"WLANSIM_STATE");
    // A client polling for hours must not grow the process: the log file is the record here.
    options.keepCallRecords = false;
    const std::wstring scenario = environmentValue(L"WLANSIM_SCENARIO");
    return new wlansim::Service(scenario.empty()
                                    ? wlansim::Service::fromText("", std::move(options))
                                    : wlansim::Service::fromFile(scenario, std::move(options)));
}

// Built on the first call rather than at load, so nothing heavy runs under the loader lock and a
// test may set the environment after loading. Never destroyed: a client may still call in, or
// free a buffer, while the process winds down.
wlansim::Service& service()
{
    static wlansim::Service* const instance = createService();
    return *instance;
}

template <typename Call> DWORD guarded(Call call)
{
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return ERROR_INTERNAL_ERROR;
    }
}

} // namespace

extern "C" {

DWORD WINAPI WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion,
                            PHANDLE phClientHandle)
{
    return guarded([&] {
        return service().openHandle(dwClientVersion, pReserved, pdwNegotiatedVersion,
                                    phClientHandle);
    });
}

DWORD WINAPI WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved,
                                PWLAN_INTERFACE_INFO_LIST* ppInterfaceList)
{
    return guarded(
        [&] { return service().enumInterfaces(hClientHandle, pReserved, ppInterfaceList); });
}

DWORD WINAPI WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                WLAN_INTF_OPCODE OpCode, PVOID pReserved, PDWORD pdwDataSize,
                                PVOID* ppData, PWLAN_OPCODE_VALUE_TYPE pWlanOpcodeValueType)
{
    return guarded([&] {
        return service().queryInterface(hClientHandle, pInterfaceGuid, OpCode, pReserved,
                                        pdwDataSize, ppData, pWlanOpcodeValueType);
    });
}

DWORD WINAPI WlanSetInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                              WLAN_INTF_OPCODE OpCode, DWORD dwDataSize, const PVOID pData,
                              PVOID pReserved)
{
    return guarded([&] {
        return service().setInterface(hClientHandle, pInterfaceGuid, OpCode, dwDataSize, pData,
                                      pReserved);
    });
}

VOID WINAPI WlanFreeMemory(PVOID pMemory)
{
    guarded([&] {
        service().freeMemory(pMemory);
        return DWORD{ERROR_SUCCESS};
    });
}

DWORD WINAPI WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved)
{
    return guarded([&] { return service().closeHandle(hClientHandle, pReserved); });
}

} // extern "C"
