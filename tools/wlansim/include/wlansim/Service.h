#pragma once

#include "wlansim/CallRecord.h"
#include "wlansim/Scenario.h"
#include "wlansim/ScenarioText.h"

#include <windows.h>
#include <wlanapi.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wlansim {

struct Options {
    // Appended to, one line per call and per reload; empty for none.
    std::wstring logFile;
    // Rewritten in the scenario format whenever the observable state changes; empty for none.
    std::wstring stateFile;
    // The in-memory call list grows without bound, which a long-running process may not want.
    bool keepCallRecords = true;
};

// A simulated Native Wifi service. Thread-safe; a moved-from Service may only be destroyed or
// assigned to.
class Service {
  public:
    static Service fromText(std::string_view scenarioText, Options options = {});
    // Re-reads the file at the start of every call whose file size or write time changed.
    static Service fromFile(std::wstring scenarioPath, Options options = {});

    Service(Service&&) noexcept;
    Service& operator=(Service&&) noexcept;
    ~Service();

    DWORD openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                     PHANDLE clientHandle);
    DWORD enumInterfaces(HANDLE clientHandle, PVOID reserved,
                         PWLAN_INTERFACE_INFO_LIST* interfaceList);
    DWORD queryInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                         PVOID reserved, PDWORD dataSize, PVOID* data,
                         PWLAN_OPCODE_VALUE_TYPE valueType);
    DWORD setInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                       DWORD dataSize, const PVOID data, PVOID reserved);
    void freeMemory(PVOID memory);
    DWORD closeHandle(HANDLE clientHandle, PVOID reserved);

    // Applies a scenario as if the file had just been read with this content: the reload merge
    // rule holds. Returns what the parser skipped.
    std::vector<Diagnostic> setScenario(std::string_view scenarioText);
    void setScenario(const Scenario& scenario);
    // Edits the scenario as last read, then applies it the same way.
    void editScenario(const std::function<void(Scenario&)>& edit);

    // The scenario as last read or set, before any call changed a setting.
    Scenario scenario() const;
    // What clients observe now: live settings, remaining fault counts, and the status. The state
    // file holds the same.
    Scenario state() const;
    // What the parser skipped in the last read.
    std::vector<Diagnostic> diagnostics() const;
    // Reads the scenario file now if it changed; true when it was read.
    bool reloadIfChanged();

    std::vector<CallRecord> calls() const;
    void clearCalls();
    std::size_t outstandingBuffers() const;
    // Handles opened and not yet closed, whether still valid or not.
    std::size_t openHandles() const;

  private:
    struct Impl;
    explicit Service(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace wlansim
