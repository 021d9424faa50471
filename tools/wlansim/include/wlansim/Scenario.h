#pragma once

#include <windows.h>
#include <wlanapi.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wlansim {

enum class Rules { none, hardware };

struct ServiceSection {
    bool running = true;
    // A change of generation is a service restart: every open handle becomes invalid.
    DWORD generation = 0;
    Rules rules = Rules::none;
    bool callerAdmin = true;

    bool operator==(const ServiceSection&) const = default;
};

// Every number is kept raw, so a scenario can hold values no real driver would report.
struct Adapter {
    GUID guid{};
    std::wstring description;
    DWORD state = wlan_interface_state_connected;
    DWORD autoconfig = 1;
    DWORD backgroundScan = 1;
    DWORD streamingMode = 0;

    bool operator==(const Adapter&) const = default;
};

enum class Call {
    openHandle,
    enumInterfaces,
    queryInterface,
    setInterface,
    freeMemory,
    closeHandle
};

enum class FaultKind {
    error,      // the call answers `result`
    nullBuffer, // a query answers 0 with a null buffer
    shortData,  // a query answers 0 with a buffer of only `size` bytes
    nullList,   // an enumeration answers 0 with a null list
};

struct Fault {
    Call call = Call::queryInterface;
    FaultKind kind = FaultKind::error;
    DWORD result = 0;
    std::optional<GUID> adapter;
    std::optional<DWORD> opcode;
    // How many more times the fault fires; none means every time.
    std::optional<DWORD> count;
    DWORD size = 0;

    bool operator==(const Fault&) const = default;
};

// Written into state files for other processes to read; ignored when a scenario is applied.
struct Status {
    std::size_t openHandles = 0;
    std::size_t outstandingBuffers = 0;

    bool operator==(const Status&) const = default;
};

struct Scenario {
    ServiceSection service;
    std::vector<Adapter> adapters;
    std::vector<Fault> faults;
    std::optional<Status> status;

    bool operator==(const Scenario&) const = default;
};

// The adapter field an opcode reads and writes: 1 autoconfig, 2 background scan, 3 streaming mode.
DWORD* settingFor(Adapter& adapter, DWORD opcode);
const DWORD* settingFor(const Adapter& adapter, DWORD opcode);

Adapter* findAdapter(Scenario& scenario, const GUID& guid);
const Adapter* findAdapter(const Scenario& scenario, const GUID& guid);

const char* callName(Call call);

} // namespace wlansim
