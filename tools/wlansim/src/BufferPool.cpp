#include "BufferPool.h"

namespace wlansim {
namespace {

// Enough to catch a late free or read within many polling rounds, without reserving address
// space for every buffer a long session ever used.
constexpr std::size_t retiredLimit = 1024;

std::size_t pageSize()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwPageSize;
}

} // namespace

BufferPool::~BufferPool()
{
    for (const auto& [memory, region] : live_)
        VirtualFree(region.base, 0, MEM_RELEASE);
    for (const auto& [memory, region] : retired_)
        VirtualFree(region.base, 0, MEM_RELEASE);
}

void* BufferPool::allocate(std::size_t size, BufferKind kind, HANDLE owner)
{
    static const std::size_t page = pageSize();
    const std::size_t accessible = (size / page + 1) * page;
    // Reserve one page more than is committed: the guard after the buffer.
    auto* base = static_cast<std::byte*>(
        VirtualAlloc(nullptr, accessible + page, MEM_RESERVE, PAGE_NOACCESS));
    if (!base)
        return nullptr;
    if (!VirtualAlloc(base, accessible, MEM_COMMIT, PAGE_READWRITE)) {
        VirtualFree(base, 0, MEM_RELEASE);
        return nullptr;
    }
    void* memory = base + accessible - size;
    live_[memory] = Region{base, accessible, Buffer{kind, owner}};
    return memory;
}

const BufferPool::Buffer* BufferPool::find(const void* memory) const
{
    const auto found = live_.find(memory);
    return found == live_.end() ? nullptr : &found->second.buffer;
}

Freed BufferPool::release(const void* memory)
{
    if (!memory)
        return Freed::null;
    if (const auto found = live_.find(memory); found != live_.end()) {
        const Region region = found->second;
        live_.erase(found);
        retire(memory, region);
        return region.buffer.kind == BufferKind::list ? Freed::list : Freed::data;
    }
    return retired_.count(memory) ? Freed::twice : Freed::unknown;
}

void BufferPool::retire(const void* memory, const Region& region)
{
    VirtualFree(region.base, region.accessibleBytes, MEM_DECOMMIT);
    retired_[memory] = region;
    retiredOrder_.push_back(memory);
    if (retiredOrder_.size() > retiredLimit) {
        const auto oldest = retired_.find(retiredOrder_.front());
        VirtualFree(oldest->second.base, 0, MEM_RELEASE);
        retired_.erase(oldest);
        retiredOrder_.pop_front();
    }
}

} // namespace wlansim
