#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace nimbrel::bench {

struct MemoryFigures {
    std::size_t privateBytes = 0;
    std::size_t workingSet = 0;
    // The counter the private bytes come from: PrivateUsage, or PagefileUsage where the system
    // leaves PrivateUsage at 0 (Wine 8, which fills PagefileUsage from the process's RssAnon
    // and VmSwap). On Windows both are the process's commit charge.
    const char* privateSource = "";
    // The process's committed private regions, added up from VirtualQueryEx: what Windows counts
    // as private bytes, seen from the Windows side only. Under Wine the memory of its Unix side
    // (X11 and font libraries, the loader) is not in it, while PagefileUsage holds all of it.
    std::size_t committedPrivate = 0;
};

// The memory of a process opened with PROCESS_QUERY_INFORMATION (or the current process); none
// when the system does not answer.
std::optional<MemoryFigures> memoryOf(HANDLE process);

// "<prefix>_private", "<prefix>_ws", "<prefix>_commit" and "<prefix>_private_source" lines; "<prefix>_error" when
// the system did not answer.
void reportMemory(const char* prefix, HANDLE process);

} // namespace nimbrel::bench
