#include "wlansim/Guid.h"
#include "wlansim/ScenarioText.h"

#include "Faults.h"
#include "ScenarioWords.h"
#include "Utf8.h"

#include <charconv>
#include <cstdint>

namespace wlansim {
namespace {

std::string_view trim(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::optional<DWORD> parseNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return static_cast<DWORD>(value);
}

std::optional<bool> parseBool(std::string_view text)
{
    if (text == "yes" || text == "true" || text == "1")
        return true;
    if (text == "no" || text == "false" || text == "0")
        return false;
    return std::nullopt;
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

enum class Section { none, service, adapter, fault, status, unknown };

struct Entry {
    std::size_t line = 0;
    std::string_view key;
    std::string_view value;
};

// Each handler answers why it refused a line, or nothing when it took it.
using Refusal = std::optional<std::string>;

class Parser {
  public:
    ParsedScenario run(std::string_view text);

  private:
    void readLine(std::size_t number, std::string_view line);
    void startSection(std::size_t line, std::string_view name);
    void finishSection();
    void finishAdapter();
    void finishFault();
    Refusal serviceKey(const Entry& entry);
    Refusal adapterKey(const Entry& entry);
    Refusal faultKey(const Entry& entry);
    Refusal statusKey(const Entry& entry);
    void note(std::size_t line, std::string reason);

    ParsedScenario result_;
    Section section_ = Section::none;
    std::size_t sectionLine_ = 0;
    Adapter adapter_;
    bool adapterHasGuid_ = false;
    Fault fault_;
    bool faultHasCall_ = false;
    bool faultHasResult_ = false;
};

ParsedScenario Parser::run(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::size_t number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        readLine(++number, text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    finishSection();
    return std::move(result_);
}

void Parser::readLine(std::size_t number, std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() == '#' || line.front() == ';')
        return;
    if (line.front() == '[') {
        if (line.back() != ']') {
            note(number, "section header without ]");
            return;
        }
        startSection(number, trim(line.substr(1, line.size() - 2)));
        return;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        note(number, "not a key = value line");
        return;
    }
    const Entry entry{number, trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
    Refusal refusal;
    switch (section_) {
    case Section::none:
        refusal = "key outside any section";
        break;
    case Section::unknown:
        return; // the section header was already reported
    case Section::service:
        refusal = serviceKey(entry);
        break;
    case Section::adapter:
        refusal = adapterKey(entry);
        break;
    case Section::fault:
        refusal = faultKey(entry);
        break;
    case Section::status:
        refusal = statusKey(entry);
        break;
    }
    if (refusal)
        note(number, *refusal + "; line skipped");
}

void Parser::startSection(std::size_t line, std::string_view name)
{
    finishSection();
    sectionLine_ = line;
    if (name == "service") {
        section_ = Section::service;
    } else if (name == "adapter") {
        section_ = Section::adapter;
        adapter_ = Adapter();
        adapterHasGuid_ = false;
    } else if (name == "fault") {
        section_ = Section::fault;
        fault_ = Fault();
        faultHasCall_ = false;
        faultHasResult_ = false;
    } else if (name == "status") {
        section_ = Section::status;
        result_.scenario.status = Status();
    } else {
        section_ = Section::unknown;
        note(line, "unknown section [" + std::string(name) + "]; section skipped");
    }
}

void Parser::finishSection()
{
    if (section_ == Section::adapter)
        finishAdapter();
    else if (section_ == Section::fault)
        finishFault();
    section_ = Section::none;
}

void Parser::finishAdapter()
{
    if (!adapterHasGuid_) {
        note(sectionLine_, "[adapter] has no guid; section skipped");
        return;
    }
    if (findAdapter(result_.scenario, adapter_.guid)) {
        note(sectionLine_, "[adapter] repeats " + formatGuid(adapter_.guid) + "; section skipped");
        return;
    }
    result_.scenario.adapters.push_back(std::move(adapter_));
}

void Parser::finishFault()
{
    std::optional<std::string> problem;
    if (!faultHasCall_)
        problem = "has no call";
    else if (fault_.kind == FaultKind::error && !faultHasResult_)
        problem = "of kind error has no result";
    else
        problem = faultProblem(fault_);
    if (problem)
        note(sectionLine_, "[fault] " + *problem + "; section skipped");
    else
        result_.scenario.faults.push_back(fault_);
}

Refusal Parser::serviceKey(const Entry& entry)
{
    auto& service = result_.scenario.service;
    if (entry.key == "running" || entry.key == "caller_admin") {
        const auto flag = parseBool(entry.value);
        if (!flag)
            return quoted(entry.value) + " is not yes or no";
        (entry.key == "running" ? service.running : service.callerAdmin) = *flag;
    } else if (entry.key == "generation") {
        const auto number = parseNumber(entry.value);
        if (!number)
            return quoted(entry.value) + " is not a 32-bit number";
        service.generation = *number;
    } else if (entry.key == "rules") {
        const auto rules = parseRulesWord(entry.value);
        if (!rules)
            return quoted(entry.value) + " is not none or hardware";
        service.rules = *rules;
    } else {
        return "unknown key " + quoted(entry.key) + " in [service]";
    }
    return std::nullopt;
}

Refusal Parser::adapterKey(const Entry& entry)
{
    if (entry.key == "guid") {
        const auto guid = parseGuid(entry.value);
        if (!guid)
            return quoted(entry.value) + " is not a GUID";
        adapter_.guid = *guid;
        adapterHasGuid_ = true;
    } else if (entry.key == "description") {
        auto wide = utf8ToWide(entry.value);
        if (!wide)
            return std::string("description is not UTF-8");
        adapter_.description = std::move(*wide);
    } else {
        DWORD* field = nullptr;
        if (entry.key == "state")
            field = &adapter_.state;
        else if (const auto opcode = settingOpcodeForWord(entry.key))
            field = settingFor(adapter_, *opcode);
        if (!field)
            return "unknown key " + quoted(entry.key) + " in [adapter]";
        const auto number = parseNumber(entry.value);
        if (!number)
            return quoted(entry.value) + " is not a 32-bit number";
        *field = *number;
    }
    return std::nullopt;
}

Refusal Parser::faultKey(const Entry& entry)
{
    if (entry.key == "call") {
        const auto call = parseCallWord(entry.value);
        if (!call)
            return quoted(entry.value) + " is not open, enum, query, set, free or close";
        fault_.call = *call;
        faultHasCall_ = true;
    } else if (entry.key == "kind") {
        const auto kind = parseFaultKindWord(entry.value);
        if (!kind)
            return quoted(entry.value) + " is not error, null_buffer, short_data or null_list";
        fault_.kind = *kind;
    } else if (entry.key == "adapter") {
        const auto guid = parseGuid(entry.value);
        if (!guid)
            return quoted(entry.value) + " is not a GUID";
        fault_.adapter = *guid;
    } else if (entry.key == "result" || entry.key == "opcode" || entry.key == "count" ||
               entry.key == "size") {
        const auto number = parseNumber(entry.value);
        if (!number)
            return quoted(entry.value) + " is not a 32-bit number";
        if (entry.key == "result") {
            fault_.result = *number;
            faultHasResult_ = true;
        } else if (entry.key == "opcode") {
            fault_.opcode = *number;
        } else if (entry.key == "count") {
            fault_.count = *number;
        } else {
            fault_.size = *number;
        }
    } else {
        return "unknown key " + quoted(entry.key) + " in [fault]";
    }
    return std::nullopt;
}

Refusal Parser::statusKey(const Entry& entry)
{
    auto& status = *result_.scenario.status;
    std::size_t* field = nullptr;
    if (entry.key == "open_handles")
        field = &status.openHandles;
    else if (entry.key == "outstanding_buffers")
        field = &status.outstandingBuffers;
    else
        return "unknown key " + quoted(entry.key) + " in [status]";
    const auto number = parseNumber(entry.value);
    if (!number)
        return quoted(entry.value) + " is not a 32-bit number";
    *field = *number;
    return std::nullopt;
}

void Parser::note(std::size_t line, std::string reason)
{
    result_.diagnostics.push_back({line, std::move(reason)});
}

} // namespace

ParsedScenario parseScenario(std::string_view text)
{
    return Parser().run(text);
}

} // namespace wlansim
