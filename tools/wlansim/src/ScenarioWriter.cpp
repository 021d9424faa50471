#include "wlansim/Guid.h"
#include "wlansim/ScenarioText.h"

#include "ScenarioWords.h"
#include "Utf8.h"

namespace wlansim {
namespace {

class Writer {
  public:
    void section(const char* name)
    {
        if (!text_.empty())
            text_ += '\n';
        text_ += '[';
        text_ += name;
        text_ += "]\n";
    }

    void key(const char* name, std::string_view value)
    {
        text_ += name;
        text_ += " = ";
        text_ += value;
        text_ += '\n';
    }

    void key(const char* name, unsigned long long value) { key(name, std::to_string(value)); }
    void flag(const char* name, bool value) { key(name, value ? "yes" : "no"); }

    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

void writeFault(Writer& out, const Fault& fault)
{
    out.section("fault");
    out.key("call", callWord(fault.call));
    out.key("kind", faultKindWord(fault.kind));
    if (fault.kind == FaultKind::error)
        out.key("result", fault.result);
    if (fault.kind == FaultKind::shortData)
        out.key("size", fault.size);
    if (fault.adapter)
        out.key("adapter", formatGuid(*fault.adapter));
    if (fault.opcode)
        out.key("opcode", *fault.opcode);
    if (fault.count)
        out.key("count", *fault.count);
}

} // namespace

std::string formatScenario(const Scenario& scenario)
{
    Writer out;
    out.section("service");
    out.flag("running", scenario.service.running);
    out.key("generation", scenario.service.generation);
    out.key("rules", rulesWord(scenario.service.rules));
    out.flag("caller_admin", scenario.service.callerAdmin);

    for (const auto& adapter : scenario.adapters) {
        out.section("adapter");
        out.key("guid", formatGuid(adapter.guid));
        out.key("description", wideToUtf8(adapter.description));
        out.key("state", adapter.state);
        for (const DWORD opcode : settingOpcodes)
            out.key(settingWord(opcode), *settingFor(adapter, opcode));
    }

    for (const auto& fault : scenario.faults)
        writeFault(out, fault);

    if (scenario.status) {
        out.section("status");
        out.key("open_handles", scenario.status->openHandles);
        out.key("outstanding_buffers", scenario.status->outstandingBuffers);
    }
    return out.take();
}

} // namespace wlansim
