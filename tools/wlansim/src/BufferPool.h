#pragma once

#include "wlansim/CallRecord.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <map>

namespace wlansim {

enum class BufferKind { list, data };

// Buffers handed to clients. Each one ends right at a no-access page, so a client that reads past
// the size it was given faults at once instead of reading stale memory; a freed buffer stays
// reserved and inaccessible for a while, so a late read faults and a second free is recognised.
class BufferPool {
  public:
    struct Buffer {
        BufferKind kind = BufferKind::data;
        HANDLE owner = nullptr;
    };

    BufferPool() = default;
    BufferPool(const BufferPool&) = delete;
    BufferPool& operator=(const BufferPool&) = delete;
    ~BufferPool();

    // Null when memory runs out. A zero-size buffer is a valid pointer to no accessible byte.
    void* allocate(std::size_t size, BufferKind kind, HANDLE owner);
    const Buffer* find(const void* memory) const;
    // Classifies the pointer and releases it when it is a live buffer.
    Freed release(const void* memory);
    std::size_t outstanding() const { return live_.size(); }

  private:
    struct Region {
        void* base = nullptr;
        std::size_t accessibleBytes = 0;
        Buffer buffer;
    };

    void retire(const void* memory, const Region& region);

    std::map<const void*, Region> live_;
    std::map<const void*, Region> retired_;
    std::deque<const void*> retiredOrder_;
};

} // namespace wlansim
