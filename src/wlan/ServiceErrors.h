#pragma once

#include <windows.h>

namespace nimbrel {

// Result codes after which a client handle is of no further use: the service stopped or
// restarted under it. Anything else may pass, so the handle is kept and tried again.
constexpr bool meansClientHandleIsDead(DWORD result)
{
    switch (result) {
    case ERROR_INVALID_HANDLE:
    case ERROR_SERVICE_NOT_ACTIVE:
    case RPC_S_SERVER_UNAVAILABLE:
    case RPC_S_CALL_FAILED:
    case RPC_S_CALL_FAILED_DNE:
    case RPC_S_UNKNOWN_IF:
    case EPT_S_NOT_REGISTERED:
        return true;
    default:
        return false;
    }
}

} // namespace nimbrel
