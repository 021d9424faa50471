#include "wlansim/Service.h"

#include "wlansim/Layout.h"

#include "Faults.h"
#include "InterfaceList.h"
#include "ServiceState.h"

#include <algorithm>
#include <cstring>

// Every call follows the same order: its arguments, the handle, the adapter and opcode, the
// hardware rules; a fault fires only on a call that passed all of them, so a fault never hides
// a plain misuse and its count is spent only where it shows.

namespace wlansim {
namespace {

constexpr DWORD highestVersion = 2;

CallRecord recordOf(Call call, HANDLE handle = nullptr)
{
    CallRecord record;
    record.call = call;
    record.handle = handle;
    return record;
}

DWORD readDword(const void* data)
{
    DWORD value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

} // namespace

Service::Service(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Service::Service(Service&&) noexcept = default;
Service& Service::operator=(Service&&) noexcept = default;
Service::~Service() = default;

Service Service::fromText(std::string_view scenarioText, Options options)
{
    auto impl = std::make_unique<Impl>(std::move(options));
    impl->applyText(scenarioText, "text");
    return Service(std::move(impl));
}

Service Service::fromFile(std::wstring scenarioPath, Options options)
{
    auto impl = std::make_unique<Impl>(std::move(options));
    impl->source.emplace(std::move(scenarioPath));
    impl->pollSource();
    return Service(std::move(impl));
}

DWORD Service::openHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion,
                          PHANDLE clientHandle)
{
    auto& s = *impl_;
    const std::lock_guard lock(s.mutex);
    s.pollSource();
    CallRecord record = recordOf(Call::openHandle);
    if (reserved || !negotiatedVersion || !clientHandle || clientVersion == 0)
        return s.finish(record, ERROR_INVALID_PARAMETER);
    if (!s.live.service.running)
        return s.finish(record, ERROR_SERVICE_NOT_ACTIVE);
    if (const auto fault = takeFault(s.live.faults, Call::openHandle))
        return s.finish(record, fault->result);

    const DWORD version = std::min(clientVersion, highestVersion);
    record.handle = s.handles.open(s.epoch);
    record.value = version;
    *negotiatedVersion = version;
    *clientHandle = record.handle;
    return s.finish(record, ERROR_SUCCESS);
}

DWORD Service::enumInterfaces(HANDLE clientHandle, PVOID reserved,
                              PWLAN_INTERFACE_INFO_LIST* interfaceList)
{
    auto& s = *impl_;
    const std::lock_guard lock(s.mutex);
    s.pollSource();
    CallRecord record = recordOf(Call::enumInterfaces, clientHandle);
    if (reserved || !interfaceList)
        return s.finish(record, ERROR_INVALID_PARAMETER);
    if (const DWORD error = s.checkHandle(clientHandle))
        return s.finish(record, error);
    if (const auto fault = takeFault(s.live.faults, Call::enumInterfaces)) {
        if (fault->kind != FaultKind::nullList)
            return s.finish(record, fault->result);
        *interfaceList = nullptr;
        return s.finish(record, ERROR_SUCCESS);
    }

    const auto& adapters = s.live.adapters;
    void* list =
        s.buffers.allocate(interfaceListSize(adapters.size()), BufferKind::list, clientHandle);
    if (!list)
        return s.finish(record, ERROR_NOT_ENOUGH_MEMORY);
    writeInterfaceList(list, adapters);
    record.value = static_cast<DWORD>(adapters.size());
    record.buffer = list;
    *interfaceList = static_cast<PWLAN_INTERFACE_INFO_LIST>(list);
    return s.finish(record, ERROR_SUCCESS);
}

DWORD Service::queryInterface(HANDLE clientHandle, const GUID* interfaceGuid,
                              WLAN_INTF_OPCODE opCode, PVOID reserved, PDWORD dataSize, PVOID* data,
                              PWLAN_OPCODE_VALUE_TYPE valueType)
{
    auto& s = *impl_;
    const std::lock_guard lock(s.mutex);
    s.pollSource();
    CallRecord record = recordOf(Call::queryInterface, clientHandle);
    if (interfaceGuid)
        record.adapter = *interfaceGuid;
    record.opcode = opCode;
    if (reserved || !interfaceGuid || !dataSize || !data)
        return s.finish(record, ERROR_INVALID_PARAMETER);
    if (const DWORD error = s.checkHandle(clientHandle))
        return s.finish(record, error);
    const Adapter* adapter = findAdapter(s.live, *interfaceGuid);
    if (!adapter)
        return s.finish(record, ERROR_NOT_FOUND);

    DWORD value = 0;
    WLAN_OPCODE_VALUE_TYPE type = wlan_opcode_value_type_set_by_user;
    if (opCode == wlan_intf_opcode_interface_state) {
        value = adapter->state;
        type = wlan_opcode_value_type_query_only;
    } else if (settingFor(*adapter, opCode)) {
        value = s.effectiveSetting(*adapter, opCode);
    } else {
        return s.finish(record, ERROR_NOT_SUPPORTED);
    }

    DWORD size = sizeof value;
    if (const auto fault = takeFault(s.live.faults, Call::queryInterface, interfaceGuid, opCode)) {
        if (fault->kind == FaultKind::error)
            return s.finish(record, fault->result);
        if (fault->kind == FaultKind::nullBuffer) {
            // Claims a full value, so a client that trusts the size alone reads through null.
            *data = nullptr;
            *dataSize = sizeof value;
            if (valueType)
                *valueType = type;
            record.dataSize = *dataSize;
            return s.finish(record, ERROR_SUCCESS);
        }
        size = fault->size;
    }

    void* buffer = s.buffers.allocate(size, BufferKind::data, clientHandle);
    if (!buffer)
        return s.finish(record, ERROR_NOT_ENOUGH_MEMORY);
    std::memcpy(buffer, &value, size);
    *data = buffer;
    *dataSize = size;
    if (valueType)
        *valueType = type;
    if (size > 0)
        record.value = size < sizeof value ? value & ((1UL << (8 * size)) - 1) : value;
    record.dataSize = size;
    record.buffer = buffer;
    return s.finish(record, ERROR_SUCCESS);
}

DWORD Service::setInterface(HANDLE clientHandle, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode,
                            DWORD dataSize, const PVOID data, PVOID reserved)
{
    auto& s = *impl_;
    const std::lock_guard lock(s.mutex);
    s.pollSource();
    CallRecord record = recordOf(Call::setInterface, clientHandle);
    if (interfaceGuid)
        record.adapter = *interfaceGuid;
    record.opcode = opCode;
    record.dataSize = dataSize;
    if (data && dataSize >= sizeof(DWORD))
        record.value = readDword(data);
    if (reserved || !interfaceGuid || !data || dataSize != sizeof(DWORD))
        return s.finish(record, ERROR_INVALID_PARAMETER);
    if (const DWORD error = s.checkHandle(clientHandle))
        return s.finish(record, error);
    Adapter* adapter = findAdapter(s.live, *interfaceGuid);
    if (!adapter)
        return s.finish(record, ERROR_NOT_FOUND);
    DWORD* setting = settingFor(*adapter, opCode);
    if (!setting)
        return s.finish(record, ERROR_NOT_SUPPORTED);
    if (const DWORD refusal = s.hardwareRefusal(*adapter, opCode))
        return s.finish(record, refusal);
    // A fault answering 0 is a set the service accepts and ignores.
    if (const auto fault = takeFault(s.live.faults, Call::setInterface, interfaceGuid, opCode))
        return s.finish(record, fault->result);

    if (s.clientOwnsSetting(opCode))
        s.overrides.set(clientHandle, adapter->guid, opCode, *record.value);
    else
        *setting = *record.value;
    return s.finish(record, ERROR_SUCCESS);
}

void Service::freeMemory(PVOID memory)
{
    auto& s = *impl_;
    const std::lock_guard lock(s.mutex);
    s.pollSource();
    CallRecord record = recordOf(Call::freeMemory);
    record.buffer = memory;
    if (const auto* buffer = s.buffers.find(memory)) {
        record.handle = buffer->owner;
        if (const auto fault = takeFault(s.live.faults, Call::freeMemory)) {
            // The buffer stays outstanding, as if the service had lost track of the free.
            record.freed = buffer->kind == BufferKind::list ? Freed::list : Freed::data;
            s.finish(record, fault->result);
            return;
        }
    }
    const Freed freed = s.buffers.release(memory);
    record.freed = freed;
    const bool known = freed != Freed::twice && freed != Freed::unknown;
    s.finish(record, known ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER);
}

DWORD Service::closeHandle(HANDLE clientHandle, PVOID reserved)
{
    auto& s = *impl_;
    const std::lock_guard lock(s.mutex);
    s.pollSource();
    CallRecord record = recordOf(Call::closeHandle, clientHandle);
    if (reserved || !clientHandle)
        return s.finish(record, ERROR_INVALID_PARAMETER);
    const DWORD error = s.checkHandle(clientHandle);
    if (error == ERROR_SUCCESS) {
        if (const auto fault = takeFault(s.live.faults, Call::closeHandle))
            return s.finish(record, fault->result);
    }
    // A handle gone stale with a restart is still the client's to close: it leaves the table,
    // though the answer tells the client it was no longer valid.
    if (s.handles.epochOf(clientHandle)) {
        s.handles.close(clientHandle);
        s.overrides.dropClient(clientHandle);
    }
    return s.finish(record, error);
}

std::vector<Diagnostic> Service::setScenario(std::string_view scenarioText)
{
    const std::lock_guard lock(impl_->mutex);
    impl_->applyText(scenarioText, "text");
    return impl_->diagnostics;
}

void Service::setScenario(const Scenario& scenario)
{
    ParsedScenario checked{scenario, {}};
    auto& faults = checked.scenario.faults;
    faults.clear();
    for (const auto& fault : scenario.faults) {
        if (const auto problem = faultProblem(fault))
            checked.diagnostics.push_back({0, "fault skipped: " + *problem});
        else
            faults.push_back(fault);
    }
    const std::lock_guard lock(impl_->mutex);
    impl_->applyParsed(std::move(checked), "scenario");
}

void Service::editScenario(const std::function<void(Scenario&)>& edit)
{
    // The edit runs unlocked, so it may call into this service.
    Scenario edited = scenario();
    edit(edited);
    setScenario(edited);
}

Scenario Service::scenario() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->lastRead;
}

Scenario Service::state() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->observed();
}

std::vector<Diagnostic> Service::diagnostics() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->diagnostics;
}

bool Service::reloadIfChanged()
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->pollSource();
}

std::vector<CallRecord> Service::calls() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->records;
}

void Service::clearCalls()
{
    const std::lock_guard lock(impl_->mutex);
    impl_->records.clear();
}

std::size_t Service::outstandingBuffers() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->buffers.outstanding();
}

std::size_t Service::openHandles() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->handles.size();
}

} // namespace wlansim
