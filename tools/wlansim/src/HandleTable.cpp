#include "HandleTable.h"

#include <atomic>

namespace wlansim {
namespace {

// Shared by every Service in the process, so no two ever hand out the same value and a handle
// used on the wrong service, or after close, is never mistaken for a live one.
std::atomic<std::uintptr_t> nextHandle{0x5100};

} // namespace

HANDLE HandleTable::open(std::uint64_t epoch)
{
    const auto handle = reinterpret_cast<HANDLE>(nextHandle.fetch_add(4));
    epochs_[handle] = epoch;
    return handle;
}

const std::uint64_t* HandleTable::epochOf(HANDLE handle) const
{
    const auto found = epochs_.find(handle);
    return found == epochs_.end() ? nullptr : &found->second;
}

void HandleTable::close(HANDLE handle)
{
    epochs_.erase(handle);
}

} // namespace wlansim
