#include "ServiceState.h"

#include "Faults.h"
#include "LogLine.h"
#include "Merge.h"
#include "ScenarioWords.h"
#include "TextFile.h"
#include "Utf8.h"

namespace wlansim {

bool Service::Impl::pollSource()
{
    if (!source)
        return false;
    auto read = source->readIfChanged();
    if (!read)
        return false;
    const std::string path = wideToUtf8(source->path());
    if (read->error != ERROR_SUCCESS) {
        // The last scenario read stays in force.
        log(formatEventLine("reload", "result=" + std::to_string(read->error) + " source=" + path));
        return false;
    }
    applyText(read->text, path);
    return true;
}

void Service::Impl::applyText(std::string_view text, std::string_view sourceName)
{
    applyParsed(parseScenario(text), sourceName);
}

void Service::Impl::applyParsed(ParsedScenario parsed, std::string_view sourceName)
{
    adopt(parsed.scenario);
    diagnostics = std::move(parsed.diagnostics);

    const auto& service = live.service;
    log(formatEventLine(
        "reload", "result=0 running=" + std::string(service.running ? "yes" : "no") +
                      " generation=" + std::to_string(service.generation) +
                      " rules=" + rulesWord(service.rules) +
                      " adapters=" + std::to_string(live.adapters.size()) +
                      " faults=" + std::to_string(live.faults.size()) + " diagnostics=" +
                      std::to_string(diagnostics.size()) + " source=" + std::string(sourceName)));
    for (const auto& diagnostic : diagnostics) {
        log(formatEventLine("diagnostic", "line=" + std::to_string(diagnostic.line) +
                                              " reason=" + diagnostic.reason));
    }
    publishState();
}

void Service::Impl::adopt(const Scenario& next)
{
    const ServiceSection& before = live.service;
    const bool restarted =
        next.service.generation != before.generation || (before.running && !next.service.running);
    if (restarted)
        ++epoch;
    // A restarted service has forgotten its clients; new rules make their settings meaningless.
    if (restarted || next.service.rules != before.rules)
        overrides.clear();
    else
        dropOutdatedOverrides(next);

    Scenario merged = mergeReload(lastRead, next, live);
    lastRead = next;
    lastRead.status.reset();
    live = std::move(merged);
}

void Service::Impl::dropOutdatedOverrides(const Scenario& next)
{
    for (const auto& adapter : live.adapters) {
        const Adapter* after = findAdapter(next, adapter.guid);
        const bool disconnected = adapter.state == wlan_interface_state_connected &&
                                  (!after || after->state != wlan_interface_state_connected);
        if (!after || disconnected) {
            overrides.dropAdapter(adapter.guid);
            continue;
        }
        // A new default in the file wins over what clients set, as for every other setting.
        for (const DWORD opcode : settingOpcodes) {
            if (*settingFor(adapter, opcode) != *settingFor(*after, opcode))
                overrides.dropSetting(adapter.guid, opcode);
        }
    }
}

DWORD Service::Impl::checkHandle(HANDLE handle) const
{
    if (!handle)
        return ERROR_INVALID_PARAMETER;
    if (!live.service.running)
        return RPC_S_SERVER_UNAVAILABLE;
    const std::uint64_t* openedIn = handles.epochOf(handle);
    if (!openedIn || *openedIn != epoch)
        return ERROR_INVALID_HANDLE;
    return ERROR_SUCCESS;
}

bool Service::Impl::clientOwnsSetting(DWORD opcode) const
{
    return live.service.rules == Rules::hardware &&
           (opcode == wlan_intf_opcode_background_scan_enabled ||
            opcode == wlan_intf_opcode_media_streaming_mode);
}

DWORD Service::Impl::effectiveSetting(const Adapter& adapter, DWORD opcode) const
{
    if (clientOwnsSetting(opcode)) {
        if (const auto value = overrides.effective(adapter.guid, opcode))
            return *value;
    }
    return *settingFor(adapter, opcode);
}

DWORD Service::Impl::hardwareRefusal(const Adapter& adapter, DWORD opcode) const
{
    if (live.service.rules != Rules::hardware)
        return ERROR_SUCCESS;
    if (opcode == wlan_intf_opcode_autoconf_enabled && !live.service.callerAdmin)
        return ERROR_ACCESS_DENIED;
    if (clientOwnsSetting(opcode) && adapter.state != wlan_interface_state_connected)
        return ERROR_INVALID_STATE;
    return ERROR_SUCCESS;
}

Scenario Service::Impl::observed() const
{
    Scenario now = live;
    for (auto& adapter : now.adapters) {
        for (const DWORD opcode : settingOpcodes)
            *settingFor(adapter, opcode) = effectiveSetting(adapter, opcode);
    }
    now.status = Status{handles.size(), buffers.outstanding()};
    return now;
}

DWORD Service::Impl::finish(CallRecord& record, DWORD result)
{
    record.result = result;
    log(formatCallLine(record));
    if (options.keepCallRecords)
        records.push_back(record);
    publishState();
    return result;
}

void Service::Impl::log(const std::string& line) const
{
    if (!options.logFile.empty())
        appendLine(options.logFile, line);
}

void Service::Impl::publishState()
{
    if (options.stateFile.empty())
        return;
    std::string text = formatScenario(observed());
    // Remembered only once written, so a write that failed is tried again on the next call.
    if (text != publishedState && replaceTextFile(options.stateFile, text))
        publishedState = std::move(text);
}

} // namespace wlansim
