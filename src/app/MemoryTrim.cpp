// Keeps the resident memory of a program that sits in the tray for weeks small.
#include "app/Form1.h"

#include "core/ScopeExit.h"

namespace nimbrel {

void Form1::MinimizeMemoryUsage()
{
    // Every object is freed when it is dropped, so there is nothing to reclaim first.
    constexpr auto asMuchAsPossible = static_cast<SIZE_T>(-1);
    processMemory_.setProcessWorkingSetSize(processMemory_.getCurrentProcess(), asMuchAsPossible,
                                            asMuchAsPossible);
    const HANDLE heap = processMemory_.getProcessHeap();
    if (!processMemory_.heapLock(heap)) {
        return;
    }
    // Other threads that allocate wait while the lock is held: hold it for the compaction only.
    const auto unlock = scopeExit([&] { processMemory_.heapUnlock(heap); });
    processMemory_.heapCompact(heap, 0);
}

} // namespace nimbrel
