#include "wlansim/Scenario.h"
#include "wlansim/CallRecord.h"

namespace wlansim {

DWORD* settingFor(Adapter& adapter, DWORD opcode)
{
    switch (opcode) {
    case wlan_intf_opcode_autoconf_enabled:
        return &adapter.autoconfig;
    case wlan_intf_opcode_background_scan_enabled:
        return &adapter.backgroundScan;
    case wlan_intf_opcode_media_streaming_mode:
        return &adapter.streamingMode;
    default:
        return nullptr;
    }
}

const DWORD* settingFor(const Adapter& adapter, DWORD opcode)
{
    return settingFor(const_cast<Adapter&>(adapter), opcode);
}

Adapter* findAdapter(Scenario& scenario, const GUID& guid)
{
    for (auto& adapter : scenario.adapters) {
        if (adapter.guid == guid)
            return &adapter;
    }
    return nullptr;
}

const Adapter* findAdapter(const Scenario& scenario, const GUID& guid)
{
    return findAdapter(const_cast<Scenario&>(scenario), guid);
}

const char* callName(Call call)
{
    switch (call) {
    case Call::openHandle:
        return "WlanOpenHandle";
    case Call::enumInterfaces:
        return "WlanEnumInterfaces";
    case Call::queryInterface:
        return "WlanQueryInterface";
    case Call::setInterface:
        return "WlanSetInterface";
    case Call::freeMemory:
        return "WlanFreeMemory";
    case Call::closeHandle:
        return "WlanCloseHandle";
    }
    return "?";
}

const char* freedName(Freed freed)
{
    switch (freed) {
    case Freed::list:
        return "list";
    case Freed::data:
        return "data";
    case Freed::null:
        return "null";
    case Freed::twice:
        return "twice";
    case Freed::unknown:
        return "unknown";
    }
    return "?";
}

} // namespace wlansim
