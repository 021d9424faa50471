#include "ClientOverrides.h"

#include <algorithm>

namespace wlansim {

template <typename Predicate> void ClientOverrides::dropIf(Predicate predicate)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), predicate), entries_.end());
}

void ClientOverrides::set(HANDLE client, const GUID& adapter, DWORD opcode, DWORD value)
{
    dropIf([&](const Entry& entry) {
        return entry.client == client && entry.adapter == adapter && entry.opcode == opcode;
    });
    entries_.push_back({client, adapter, opcode, value});
}

std::optional<DWORD> ClientOverrides::effective(const GUID& adapter, DWORD opcode) const
{
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (entry->adapter == adapter && entry->opcode == opcode)
            return entry->value;
    }
    return std::nullopt;
}

void ClientOverrides::dropClient(HANDLE client)
{
    dropIf([&](const Entry& entry) { return entry.client == client; });
}

void ClientOverrides::dropAdapter(const GUID& adapter)
{
    dropIf([&](const Entry& entry) { return entry.adapter == adapter; });
}

void ClientOverrides::dropSetting(const GUID& adapter, DWORD opcode)
{
    dropIf([&](const Entry& entry) { return entry.adapter == adapter && entry.opcode == opcode; });
}

} // namespace wlansim
