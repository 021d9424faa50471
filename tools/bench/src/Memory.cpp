#include "Memory.h"

#include "Report.h"

#include <psapi.h>

#include <string>

namespace nimbrel::bench {

namespace {

std::size_t committedPrivateOf(HANDLE process)
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<const unsigned char*>(nullptr);
         VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
    }
    return total;
}

} // namespace

std::optional<MemoryFigures> memoryOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return std::nullopt;
    }
    MemoryFigures figures;
    figures.workingSet = counters.WorkingSetSize;
    if (counters.PrivateUsage != 0) {
        figures.privateBytes = counters.PrivateUsage;
        figures.privateSource = "PrivateUsage";
    } else {
        figures.privateBytes = counters.PagefileUsage;
        figures.privateSource = "PagefileUsage";
    }
    figures.committedPrivate = committedPrivateOf(process);
    return figures;
}

void reportMemory(const char* prefix, HANDLE process)
{
    const std::string key(prefix);
    const std::optional<MemoryFigures> figures = memoryOf(process);
    if (!figures) {
        report((key + "_error").c_str(), static_cast<long>(GetLastError()));
        return;
    }
    report((key + "_private").c_str(), figures->privateBytes);
    report((key + "_ws").c_str(), figures->workingSet);
    report((key + "_commit").c_str(), figures->committedPrivate);
    report((key + "_private_source").c_str(), figures->privateSource);
}

} // namespace nimbrel::bench
