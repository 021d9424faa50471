#pragma once

#include <windows.h>

namespace nimbrel {

// The process and heap calls of the memory trimming, behind an interface so that tests can
// count them.
class ProcessMemory {
public:
    virtual ~ProcessMemory() = default;

    virtual HANDLE getCurrentProcess() = 0;
    virtual BOOL setProcessWorkingSetSize(HANDLE process, SIZE_T minimum, SIZE_T maximum) = 0;
    virtual HANDLE getProcessHeap() = 0;
    virtual BOOL heapLock(HANDLE heap) = 0;
    virtual SIZE_T heapCompact(HANDLE heap, DWORD flags) = 0;
    virtual BOOL heapUnlock(HANDLE heap) = 0;
};

ProcessMemory& systemProcessMemory();

} // namespace nimbrel
