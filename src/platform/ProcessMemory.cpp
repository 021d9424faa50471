#include "platform/ProcessMemory.h"

namespace nimbrel {

namespace {

class SystemProcessMemory final : public ProcessMemory {
public:
    HANDLE getCurrentProcess() override { return GetCurrentProcess(); }
    BOOL setProcessWorkingSetSize(HANDLE process, SIZE_T minimum, SIZE_T maximum) override
    {
        return SetProcessWorkingSetSize(process, minimum, maximum);
    }
    HANDLE getProcessHeap() override { return GetProcessHeap(); }
    BOOL heapLock(HANDLE heap) override { return HeapLock(heap); }
    SIZE_T heapCompact(HANDLE heap, DWORD flags) override { return HeapCompact(heap, flags); }
    BOOL heapUnlock(HANDLE heap) override { return HeapUnlock(heap); }
};

} // namespace

ProcessMemory& systemProcessMemory()
{
    static SystemProcessMemory memory;
    return memory;
}

} // namespace nimbrel
