#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace wlansim {

// Under the hardware rules, background scan and streaming mode belong to the client that set
// them. The most recent setting of a client still holding its handle is in effect; when none is
// left, the scenario's default is.
class ClientOverrides {
  public:
    void set(HANDLE client, const GUID& adapter, DWORD opcode, DWORD value);
    std::optional<DWORD> effective(const GUID& adapter, DWORD opcode) const;
    void dropClient(HANDLE client);
    void dropAdapter(const GUID& adapter);
    void dropSetting(const GUID& adapter, DWORD opcode);
    void clear() { entries_.clear(); }

  private:
    struct Entry {
        HANDLE client;
        GUID adapter;
        DWORD opcode;
        DWORD value;
    };

    template <typename Predicate> void dropIf(Predicate predicate);

    std::vector<Entry> entries_; // oldest first
};

} // namespace wlansim
