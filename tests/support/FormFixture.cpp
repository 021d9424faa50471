#include "support/FormFixture.h"

#include <stdexcept>

namespace nimbrel::testing {

namespace {

std::string adapterTag(const std::optional<GUID>& guid, const wlansim::Scenario& scenario)
{
    if (!guid) {
        return "";
    }
    for (size_t i = 0; i < scenario.adapters.size(); ++i) {
        if (IsEqualGUID(scenario.adapters[i].guid, *guid)) {
            return "@" + std::to_string(i);
        }
    }
    return "@?";
}

} // namespace

std::vector<std::string> FormFixture::trace() const
{
    const wlansim::Scenario scenario = service.scenario();
    std::vector<std::string> lines;
    for (const wlansim::CallRecord& call : service.calls()) {
        const std::string opcode = call.opcode ? std::to_string(*call.opcode) : "";
        switch (call.call) {
        case wlansim::Call::openHandle:
            lines.push_back("open");
            break;
        case wlansim::Call::enumInterfaces:
            lines.push_back("enum");
            break;
        case wlansim::Call::queryInterface:
            lines.push_back("query " + opcode + adapterTag(call.adapter, scenario));
            break;
        case wlansim::Call::setInterface:
            lines.push_back("set " + opcode + adapterTag(call.adapter, scenario) + "=" +
                            std::to_string(call.value.value_or(~0u)));
            break;
        case wlansim::Call::freeMemory:
            lines.push_back(std::string("free ") + wlansim::freedName(call.freed.value_or(wlansim::Freed::unknown)));
            break;
        case wlansim::Call::closeHandle:
            lines.push_back("close");
            break;
        }
    }
    return lines;
}

wlansim::Adapter FormFixture::stateOf(int index) const
{
    const wlansim::Scenario state = service.state();
    if (index < 0 || static_cast<size_t>(index) >= state.adapters.size()) {
        throw std::out_of_range("no such adapter");
    }
    return state.adapters[static_cast<size_t>(index)];
}

} // namespace nimbrel::testing
