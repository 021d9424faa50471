#pragma once

#include "wlansim/Scenario.h"

#include <windows.h>

#include <optional>

namespace wlansim {

// What WlanFreeMemory was given.
enum class Freed {
    list,    // a list from WlanEnumInterfaces
    data,    // a buffer from WlanQueryInterface
    null,    // a null pointer: nothing to do
    twice,   // a buffer that was already freed
    unknown, // a pointer the service never handed out
};

struct CallRecord {
    Call call = Call::openHandle;
    // The handle passed in; for WlanOpenHandle the one handed out, for WlanFreeMemory the one
    // through which the buffer was handed out.
    HANDLE handle = nullptr;
    std::optional<GUID> adapter;
    std::optional<DWORD> opcode;
    // Written by a set (even one refused), read by a query, the number of items of a list, the
    // negotiated version of an open.
    std::optional<DWORD> value;
    // Given to a set, returned by a query.
    std::optional<DWORD> dataSize;
    // Handed out by a query or an enumeration, or given to WlanFreeMemory.
    const void* buffer = nullptr;
    DWORD result = ERROR_SUCCESS;
    std::optional<Freed> freed;
};

const char* freedName(Freed freed);

} // namespace wlansim
