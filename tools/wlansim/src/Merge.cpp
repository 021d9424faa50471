#include "Merge.h"

#include "ScenarioWords.h"

namespace wlansim {
namespace {

void keepLiveSettings(Adapter& merged, const Adapter* previous, const Adapter& live)
{
    for (const DWORD opcode : settingOpcodes) {
        if (previous && *settingFor(*previous, opcode) == *settingFor(merged, opcode))
            *settingFor(merged, opcode) = *settingFor(live, opcode);
    }
}

// Faults of `live` line up one to one with those of `previousRead`: only their counts differ.
void keepRemainingCounts(std::vector<Fault>& merged, const Scenario& previousRead,
                         const Scenario& live)
{
    std::vector<bool> taken(previousRead.faults.size(), false);
    for (auto& fault : merged) {
        for (std::size_t i = 0; i < previousRead.faults.size() && i < live.faults.size(); ++i) {
            if (!taken[i] && previousRead.faults[i] == fault) {
                taken[i] = true;
                fault.count = live.faults[i].count;
                break;
            }
        }
    }
}

} // namespace

Scenario mergeReload(const Scenario& previousRead, const Scenario& nextRead, const Scenario& live)
{
    Scenario merged = nextRead;
    merged.status.reset();
    for (auto& adapter : merged.adapters) {
        if (const Adapter* current = findAdapter(live, adapter.guid))
            keepLiveSettings(adapter, findAdapter(previousRead, adapter.guid), *current);
    }
    keepRemainingCounts(merged.faults, previousRead, live);
    return merged;
}

} // namespace wlansim
