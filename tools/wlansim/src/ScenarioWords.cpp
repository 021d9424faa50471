#include "ScenarioWords.h"

#include <array>
#include <utility>

namespace wlansim {
namespace {

template <typename Value, std::size_t n>
using WordTable = std::array<std::pair<Value, const char*>, n>;

constexpr WordTable<Call, 6> callWords{{{Call::openHandle, "open"},
                                        {Call::enumInterfaces, "enum"},
                                        {Call::queryInterface, "query"},
                                        {Call::setInterface, "set"},
                                        {Call::freeMemory, "free"},
                                        {Call::closeHandle, "close"}}};

constexpr WordTable<FaultKind, 4> faultKindWords{{{FaultKind::error, "error"},
                                                  {FaultKind::nullBuffer, "null_buffer"},
                                                  {FaultKind::shortData, "short_data"},
                                                  {FaultKind::nullList, "null_list"}}};

constexpr WordTable<Rules, 2> rulesWords{{{Rules::none, "none"}, {Rules::hardware, "hardware"}}};

constexpr WordTable<DWORD, 3> settingWords{
    {{wlan_intf_opcode_autoconf_enabled, "autoconfig"},
     {wlan_intf_opcode_background_scan_enabled, "background_scan"},
     {wlan_intf_opcode_media_streaming_mode, "streaming_mode"}}};

template <typename Value, std::size_t n>
const char* wordOf(const WordTable<Value, n>& table, Value value)
{
    for (const auto& [candidate, word] : table) {
        if (candidate == value)
            return word;
    }
    return "?";
}

template <typename Value, std::size_t n>
std::optional<Value> valueOf(const WordTable<Value, n>& table, std::string_view word)
{
    for (const auto& [value, candidate] : table) {
        if (word == candidate)
            return value;
    }
    return std::nullopt;
}

} // namespace

const char* callWord(Call call)
{
    return wordOf(callWords, call);
}

std::optional<Call> parseCallWord(std::string_view word)
{
    return valueOf(callWords, word);
}

const char* faultKindWord(FaultKind kind)
{
    return wordOf(faultKindWords, kind);
}

std::optional<FaultKind> parseFaultKindWord(std::string_view word)
{
    return valueOf(faultKindWords, word);
}

const char* rulesWord(Rules rules)
{
    return wordOf(rulesWords, rules);
}

std::optional<Rules> parseRulesWord(std::string_view word)
{
    return valueOf(rulesWords, word);
}

const char* settingWord(DWORD opcode)
{
    return wordOf(settingWords, opcode);
}

std::optional<DWORD> settingOpcodeForWord(std::string_view word)
{
    return valueOf(settingWords, word);
}

} // namespace wlansim
