#pragma once

#include "wlan/WlanApi.h"

namespace nimbrel::bench {

// The Native Wifi calls of one refresh pass that needs no writes, with nothing around them: no
// window, no strings, no state. What a pass costs beyond this is the program's own work.
class BareCalls {
public:
    // Opens a client handle of its own and keeps it, as the program keeps its handle.
    explicit BareCalls(WlanApi& wlan);
    BareCalls(const BareCalls&) = delete;
    BareCalls& operator=(const BareCalls&) = delete;
    ~BareCalls();

    [[nodiscard]] bool ready() const noexcept { return client_ != nullptr; }

    // enum; per adapter the three queries and their frees; the three queries and frees of the
    // status step for the first adapter; free the list.
    void pass();

private:
    void query(const GUID& adapter, WLAN_INTF_OPCODE opcode);

    WlanApi& wlan_;
    HANDLE client_ = nullptr;
    // Read out of every answer, as the program reads it, so that no read can be left out.
    DWORD lastValue_ = 0;
};

} // namespace nimbrel::bench
