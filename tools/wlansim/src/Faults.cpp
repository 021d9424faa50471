#include "Faults.h"

namespace wlansim {
namespace {

bool matches(const Fault& fault, Call call, const GUID* adapter, std::optional<DWORD> opcode)
{
    if (fault.call != call || (fault.count && *fault.count == 0))
        return false;
    if (fault.adapter && (!adapter || *fault.adapter != *adapter))
        return false;
    return !fault.opcode || fault.opcode == opcode;
}

} // namespace

std::optional<std::string> faultProblem(const Fault& fault)
{
    const Call call = fault.call;
    if ((fault.adapter || fault.opcode) && call != Call::queryInterface &&
        call != Call::setInterface)
        return "adapter and opcode apply only to query and set";
    switch (fault.kind) {
    case FaultKind::error:
        // A set or free that answers 0 yet does nothing is a fault worth having; any other call
        // answering 0 would have to hand out something.
        if (fault.result == ERROR_SUCCESS && call != Call::setInterface && call != Call::freeMemory)
            return "result 0 is allowed only for set and free";
        break;
    case FaultKind::nullBuffer:
    case FaultKind::shortData:
        if (call != Call::queryInterface)
            return "null_buffer and short_data need call = query";
        if (fault.kind == FaultKind::shortData && fault.size > 3)
            return "size must be 0 to 3";
        break;
    case FaultKind::nullList:
        if (call != Call::enumInterfaces)
            return "null_list needs call = enum";
        break;
    }
    return std::nullopt;
}

std::optional<Fault> takeFault(std::vector<Fault>& faults, Call call, const GUID* adapter,
                               std::optional<DWORD> opcode)
{
    for (auto& fault : faults) {
        if (!matches(fault, call, adapter, opcode))
            continue;
        if (fault.count)
            --*fault.count;
        return fault;
    }
    return std::nullopt;
}

} // namespace wlansim
