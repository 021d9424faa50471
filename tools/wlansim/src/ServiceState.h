#pragma once

#include "wlansim/Service.h"

#include "BufferPool.h"
#include "ClientOverrides.h"
#include "FileWatch.h"
#include "HandleTable.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace wlansim {

// Everything a Service holds, and the steps its calls share. Callers hold `mutex`.
struct Service::Impl {
    explicit Impl(Options chosen) : options(std::move(chosen)) {}

    // Reads the scenario file when it changed since the last look.
    bool pollSource();
    void applyText(std::string_view text, std::string_view source);
    void applyParsed(ParsedScenario parsed, std::string_view source);

    // 0 when the handle may be used now.
    DWORD checkHandle(HANDLE handle) const;
    DWORD effectiveSetting(const Adapter& adapter, DWORD opcode) const;
    // Why the hardware rules refuse this set now, or 0.
    DWORD hardwareRefusal(const Adapter& adapter, DWORD opcode) const;
    bool clientOwnsSetting(DWORD opcode) const;

    Scenario observed() const;
    // Logs and keeps the record, refreshes the state file, and hands back the result.
    DWORD finish(CallRecord& record, DWORD result);
    void log(const std::string& line) const;

    mutable std::mutex mutex;
    Options options;
    std::optional<FileWatch> source;
    Scenario lastRead;
    // Like lastRead, with the settings clients changed and the faults' remaining counts.
    Scenario live;
    std::vector<Diagnostic> diagnostics;
    ClientOverrides overrides;
    HandleTable handles;
    BufferPool buffers;
    std::uint64_t epoch = 0;
    std::vector<CallRecord> records;
    std::string publishedState;

  private:
    void adopt(const Scenario& next);
    void dropOutdatedOverrides(const Scenario& next);
    void publishState();
};

} // namespace wlansim
