// Suite names start with wlansim so that `ctest -R wlansim` selects them.

#include "SimTestSupport.h"

#include "wlansim/ScenarioText.h"

#include <gtest/gtest.h>

#include <random>

namespace wlansim::test {
namespace {

constexpr std::string_view everyKey = R"(# a comment
; another comment
[service]
running = no
generation = 0x10
rules = hardware
caller_admin = false

[adapter]
guid = a1a1a1a1-0000-4000-8000-000000000001
description =   Intel® Wi-Fi 6 AX201 #2  
state = 8
autoconfig = 2
background_scan = 256
streaming_mode = 0xFFFFFFFF

[fault]
call = query
kind = short_data
size = 3
adapter = {A1A1A1A1-0000-4000-8000-000000000001}
opcode = 2
count = 4

[fault]
call = close
result = 1722
)";

TEST(wlansimScenarioParser, ReadsEveryKey)
{
    const auto parsed = parseScenario(everyKey);
    EXPECT_TRUE(parsed.diagnostics.empty());
    const Scenario& scenario = parsed.scenario;

    EXPECT_FALSE(scenario.service.running);
    EXPECT_EQ(scenario.service.generation, 16u);
    EXPECT_EQ(scenario.service.rules, Rules::hardware);
    EXPECT_FALSE(scenario.service.callerAdmin);

    ASSERT_EQ(scenario.adapters.size(), 1u);
    const Adapter& adapter = scenario.adapters[0];
    EXPECT_EQ(adapter.guid, alpha);
    EXPECT_EQ(adapter.description, L"Intel\u00AE Wi-Fi 6 AX201 #2");
    EXPECT_EQ(adapter.state, 8u);
    EXPECT_EQ(adapter.autoconfig, 2u);
    EXPECT_EQ(adapter.backgroundScan, 256u);
    EXPECT_EQ(adapter.streamingMode, 0xFFFFFFFFu);

    ASSERT_EQ(scenario.faults.size(), 2u);
    const Fault& shortData = scenario.faults[0];
    EXPECT_EQ(shortData.call, Call::queryInterface);
    EXPECT_EQ(shortData.kind, FaultKind::shortData);
    EXPECT_EQ(shortData.size, 3u);
    EXPECT_EQ(shortData.adapter, alpha);
    EXPECT_EQ(shortData.opcode, 2u);
    EXPECT_EQ(shortData.count, 4u);
    const Fault& close = scenario.faults[1];
    EXPECT_EQ(close.call, Call::closeHandle);
    EXPECT_EQ(close.kind, FaultKind::error);
    EXPECT_EQ(close.result, 1722u);
    EXPECT_FALSE(close.adapter || close.opcode || close.count);
}

TEST(wlansimScenarioParser, FillsWhatIsLeftOut)
{
    const auto empty = parseScenario("");
    EXPECT_TRUE(empty.diagnostics.empty());
    EXPECT_EQ(empty.scenario, Scenario());
    EXPECT_TRUE(empty.scenario.service.running);

    const auto bare =
        parseScenario("\xEF\xBB\xBF[adapter]\r\nguid = {A1A1A1A1-0000-4000-8000-000000000001}\r\n");
    EXPECT_TRUE(bare.diagnostics.empty());
    ASSERT_EQ(bare.scenario.adapters.size(), 1u);
    Adapter expected;
    expected.guid = alpha;
    EXPECT_EQ(bare.scenario.adapters[0], expected);
    EXPECT_EQ(expected.state, static_cast<DWORD>(wlan_interface_state_connected));
}

TEST(wlansimScenarioParser, ReadsBackWhatItWrites)
{
    Scenario scenario = parseScenario(everyKey).scenario;
    scenario.adapters.push_back(Adapter{beta, std::wstring(300, L'\u00E9'), 4, 0, 1, 7});
    Fault nullList;
    nullList.call = Call::enumInterfaces;
    nullList.kind = FaultKind::nullList;
    nullList.count = 0;
    scenario.faults.push_back(nullList);
    scenario.status = Status{3, 12};

    const auto again = parseScenario(formatScenario(scenario));
    EXPECT_TRUE(again.diagnostics.empty());
    EXPECT_EQ(again.scenario, scenario);
}

struct BadLine {
    const char* name;
    std::string line;
    const char* reason;
};

// One bad line among good ones: it alone is skipped, and the reason names what was wrong.
TEST(wlansimScenarioParser, SkipsABadLineAndKeepsTheRest)
{
    const BadLine cases[] = {
        {"unknown key", "colour = red", "unknown key \"colour\" in [adapter]"},
        {"trailing letters", "state = 1x", "\"1x\" is not a 32-bit number"},
        {"negative", "state = -1", "is not a 32-bit number"},
        {"too large", "state = 4294967296", "is not a 32-bit number"},
        {"hex too large", "autoconfig = 0x1FFFFFFFF", "is not a 32-bit number"},
        {"bare hex prefix", "autoconfig = 0x", "is not a 32-bit number"},
        {"empty number", "streaming_mode =", "\"\" is not a 32-bit number"},
        {"not key = value", "just words", "not a key = value line"},
        {"bad guid", "guid = {not-a-guid}", "is not a GUID"},
        {"invalid UTF-8", "description = \xC3\x28", "not UTF-8"},
        {"open header", "[fault", "section header without ]"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.name);
        const std::string text = "[adapter]\nguid = {A1A1A1A1-0000-4000-8000-000000000001}\n" +
                                 bad.line + "\nbackground_scan = 0\n";
        const auto parsed = parseScenario(text);
        ASSERT_EQ(parsed.diagnostics.size(), 1u);
        EXPECT_EQ(parsed.diagnostics[0].line, 3u);
        EXPECT_NE(parsed.diagnostics[0].reason.find(bad.reason), std::string::npos)
            << parsed.diagnostics[0].reason;
        ASSERT_EQ(parsed.scenario.adapters.size(), 1u);
        Adapter expected;
        expected.guid = alpha;
        expected.backgroundScan = 0;
        EXPECT_EQ(parsed.scenario.adapters[0], expected);
    }
}

TEST(wlansimScenarioParser, SkipsBadServiceValues)
{
    const auto parsed = parseScenario("generation = 3\n[service]\nrunning = maybe\nrules = strict\n"
                                      "generation = ten\ncaller_admin = no\n");
    ASSERT_EQ(parsed.diagnostics.size(), 4u);
    EXPECT_NE(parsed.diagnostics[0].reason.find("outside any section"), std::string::npos);
    EXPECT_NE(parsed.diagnostics[1].reason.find("not yes or no"), std::string::npos);
    EXPECT_NE(parsed.diagnostics[2].reason.find("not none or hardware"), std::string::npos);
    EXPECT_EQ(parsed.diagnostics[3].line, 5u);
    ServiceSection expected;
    expected.callerAdmin = false;
    EXPECT_EQ(parsed.scenario.service, expected);
}

struct BadSection {
    const char* name;
    std::string text;
    const char* reason;
};

// A section that cannot stand is dropped whole; the adapter after it still applies.
TEST(wlansimScenarioParser, SkipsASectionThatCannotStand)
{
    const std::string a = "guid = {A1A1A1A1-0000-4000-8000-000000000001}\n";
    const BadSection cases[] = {
        {"adapter without guid", "[adapter]\ndescription = Nameless\n", "[adapter] has no guid"},
        {"repeated adapter", "[adapter]\n" + a + "[adapter]\n" + a, "repeats {A1A1A1A1"},
        {"unknown section", "[network]\nssid = home\n", "unknown section [network]"},
        {"fault without call", "[fault]\nresult = 5\n", "has no call"},
        {"unknown call", "[fault]\ncall = connect\nresult = 5\n", "has no call"},
        {"error without result", "[fault]\ncall = query\n", "has no result"},
        {"query answering 0", "[fault]\ncall = query\nresult = 0\n", "only for set and free"},
        {"null buffer on set", "[fault]\ncall = set\nkind = null_buffer\n", "need call = query"},
        {"short data too long", "[fault]\ncall = query\nkind = short_data\nsize = 4\n",
         "size must be 0 to 3"},
        {"null list on query", "[fault]\ncall = query\nkind = null_list\n", "needs call = enum"},
        {"adapter on enum", "[fault]\ncall = enum\nresult = 5\nopcode = 2\n",
         "apply only to query and set"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.name);
        const auto parsed =
            parseScenario("[adapter]\n" + a + bad.text +
                          "[adapter]\nguid = {B2B2B2B2-0000-4000-8000-000000000002}\n");
        ASSERT_FALSE(parsed.diagnostics.empty());
        bool named = false;
        for (const auto& diagnostic : parsed.diagnostics)
            named = named || diagnostic.reason.find(bad.reason) != std::string::npos;
        EXPECT_TRUE(named) << parsed.diagnostics.back().reason;
        EXPECT_TRUE(parsed.scenario.faults.empty());
        ASSERT_EQ(parsed.scenario.adapters.size(), 2u);
        EXPECT_EQ(parsed.scenario.adapters[1].guid, beta);
    }
}

TEST(wlansimScenarioParser, SurvivesArbitraryText)
{
    const std::string full(everyKey);
    for (std::size_t length = 0; length <= full.size(); ++length)
        parseScenario(std::string_view(full).substr(0, length));

    constexpr std::string_view alphabet = "[]=\n\r #;{}-0x9Ff adaptericeslt_\xC3\xFF";
    std::mt19937 random(20240501);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    for (int round = 0; round < 500; ++round) {
        std::string text(length(random), ' ');
        for (auto& c : text)
            c = alphabet[pick(random)];
        const auto parsed = parseScenario(text);
        for (const auto& diagnostic : parsed.diagnostics)
            EXPECT_FALSE(diagnostic.reason.empty());
    }
}

TEST(wlansimGuid, ParsesWithOrWithoutBracesOnly)
{
    EXPECT_EQ(parseGuid("{a1a1a1a1-0000-4000-8000-000000000001}"), alpha);
    EXPECT_EQ(parseGuid("A1A1A1A1-0000-4000-8000-000000000001"), alpha);
    EXPECT_EQ(formatGuid(alpha), "{A1A1A1A1-0000-4000-8000-000000000001}");
    const char* rejected[] = {"",
                              "{A1A1A1A1-0000-4000-8000-000000000001",
                              "A1A1A1A1-0000-4000-8000-00000000000G",
                              "A1A1A1A100000-4000-8000-000000000001",
                              "{A1A1A1A1-0000-4000-8000-0000000000011}",
                              "(A1A1A1A1-0000-4000-8000-000000000001)"};
    for (const char* text : rejected)
        EXPECT_FALSE(parseGuid(text)) << text;
}

} // namespace
} // namespace wlansim::test
