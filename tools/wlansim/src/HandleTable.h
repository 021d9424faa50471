#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>

namespace wlansim {

// Client handles, each stamped with the service epoch it was opened in: a restart starts a new
// epoch, and a handle from an older one is no longer valid though the client still holds it.
class HandleTable {
  public:
    HANDLE open(std::uint64_t epoch);
    // None for a handle never opened here or already closed.
    const std::uint64_t* epochOf(HANDLE handle) const;
    void close(HANDLE handle);
    std::size_t size() const { return epochs_.size(); }

  private:
    std::map<HANDLE, std::uint64_t> epochs_;
};

} // namespace wlansim
