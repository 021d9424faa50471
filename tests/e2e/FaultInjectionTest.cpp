// The real program against a simulated service that stops, restarts, changes its adapters under
// it, fails single calls and answers odd values.
#include "e2e/NimbrelRun.h"

#include "app/ControlIds.h"
#include "wlansim/Guid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <set>

namespace nimbrel::e2e {
namespace {

constexpr DWORD connected = wlan_interface_state_connected;

wlansim::Adapter adapter(int index)
{
    wlansim::Adapter a;
    a.guid = GUID{0x53000000u + static_cast<unsigned long>(index), 0x2222, 0x3333,
                  {4, 5, 6, 7, 8, 9, 10, static_cast<unsigned char>(index)}};
    a.description = L"Fault adapter " + std::to_wstring(index);
    a.state = connected;
    a.autoconfig = 1;
    a.backgroundScan = 1;
    a.streamingMode = 0;
    return a;
}

wlansim::Scenario adapters(int count)
{
    wlansim::Scenario scenario;
    for (int i = 0; i < count; ++i) {
        scenario.adapters.push_back(adapter(i));
    }
    return scenario;
}

bool everyAdapter(const wlansim::Scenario& state, DWORD wlansim::Adapter::*setting, DWORD value)
{
    return !state.adapters.empty() &&
           std::all_of(state.adapters.begin(), state.adapters.end(),
                       [&](const wlansim::Adapter& a) { return a.*setting == value; });
}

bool backgroundScanOffEverywhere(const NimbrelRun& run)
{
    return everyAdapter(run.serviceState(), &wlansim::Adapter::backgroundScan, 0);
}

size_t passes(const NimbrelRun& run) { return callsNamed(run.log(), "WlanEnumInterfaces").size(); }

size_t successfulOpens(const std::vector<LoggedCall>& log)
{
    const std::vector<LoggedCall> opens = callsNamed(log, "WlanOpenHandle");
    return static_cast<size_t>(std::count_if(opens.begin(), opens.end(),
                                             [](const LoggedCall& c) { return c["result"] == "0"; }));
}

std::vector<std::wstring> deviceList(HWND window)
{
    return comboItems(controlOf(window, ids::comboBoxDeviceList));
}

std::wstring rowText(HWND window, int label) { return windowText(controlOf(window, label)); }

// A successful write of `value` to `opcode` of the adapter, logged after the first `from` calls.
// The state file shows a change of the scenario only once the service has reloaded it, so the
// log is what tells that the program noticed and put it right.
bool wroteAfter(const std::vector<LoggedCall>& log, size_t from, const GUID& guid,
                const std::string& opcode, const std::string& value)
{
    return std::any_of(log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end(),
                       [&](const LoggedCall& c) {
                           return c["call"] == "WlanSetInterface" && c["result"] == "0" &&
                                  c["adapter"] == wlansim::formatGuid(guid) &&
                                  c["opcode"] == opcode && c["value"] == value;
                       });
}

// Switched off behind the program's back right before it ends; returns where the log stood.
// Every adapter's autoconfig must differ from the file's previous value, or the service keeps
// what the program wrote.
size_t switchAutoConfigOff(NimbrelRun& run, wlansim::Scenario scenario)
{
    const size_t at = run.log().size();
    for (wlansim::Adapter& a : scenario.adapters) {
        a.autoconfig = 0;
    }
    run.changeScenario(scenario);
    return at;
}

size_t closeWithAutoConfigOff(NimbrelRun& run, HWND window, const wlansim::Scenario& scenario)
{
    const size_t at = switchAutoConfigOff(run, scenario);
    PostMessageW(window, WM_CLOSE, 0, 0);
    return at;
}

// Nothing left off, no client handle but the last one, no buffer the program forgot to free.
// With `switchedOffAt`, every adapter was switched back on after that point of the log.
void expectSoundEnd(const NimbrelRun& run, std::optional<size_t> switchedOffAt,
                    size_t buffersKeptByTheService = 0)
{
    const wlansim::Scenario state = run.serviceState();
    EXPECT_TRUE(everyAdapter(state, &wlansim::Adapter::autoconfig, 1)) << "autoconfig left off";
    if (switchedOffAt) {
        const std::vector<LoggedCall> log = run.log();
        for (const wlansim::Adapter& a : state.adapters) {
            EXPECT_TRUE(wroteAfter(log, *switchedOffAt, a.guid, "1", "1"))
                << "autoconfig not switched back on for " << wlansim::formatGuid(a.guid);
        }
    }
    ASSERT_TRUE(state.status.has_value());
    EXPECT_EQ(state.status->openHandles, 1u);
    EXPECT_EQ(state.status->outstandingBuffers, buffersKeptByTheService);
}

// ---------------------------------------------------------------------------------------------
// The service going away and coming back. The hardware rules make the service forget what the
// program set when it restarts, as a driver does, so enforcement has to happen again.

struct ServiceLifeCase {
    const char* name;
    bool runningAtStart;
    void (*outage)(wlansim::Scenario&);   // none: the service is down from the start
    void (*recovery)(wlansim::Scenario&); // none: the outage is its own recovery
    const char* deadCall;
    const char* deadResult;
};

void startService(wlansim::Scenario& s) { s.service.running = true; }
void stopService(wlansim::Scenario& s) { s.service.running = false; }
void restartService(wlansim::Scenario& s) { ++s.service.generation; }

void PrintTo(const ServiceLifeCase& c, std::ostream* out) { *out << c.name; }

class FaultServiceLife : public ::testing::TestWithParam<ServiceLifeCase> {
protected:
    void SetUp() override { forgetSavedChoices(); }
    void TearDown() override { forgetSavedChoices(); }
};

std::optional<size_t> firstIndexOf(const std::vector<LoggedCall>& log, const std::string& call,
                                   const std::string& result)
{
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i]["call"] == call && log[i]["result"] == result) {
            return i;
        }
    }
    return std::nullopt;
}

// Every adapter had background scan switched off by a successful set after the given call.
bool enforcedOnEveryAdapterAfter(const NimbrelRun& run, const wlansim::Scenario& scenario,
                                 size_t index)
{
    const std::vector<LoggedCall> log = run.log();
    std::set<std::string> done;
    for (size_t i = index + 1; i < log.size(); ++i) {
        const LoggedCall& c = log[i];
        if (c["call"] == "WlanSetInterface" && c["opcode"] == "2" && c["value"] == "0" &&
            c["result"] == "0") {
            done.insert(c["adapter"]);
        }
    }
    return done.size() == scenario.adapters.size() && backgroundScanOffEverywhere(run);
}

TEST_P(FaultServiceLife, enforcementResumesOnceTheServiceIsBackAndShutdownRestoresAutoConfig)
{
    const ServiceLifeCase& c = GetParam();
    wlansim::Scenario scenario = adapters(2);
    scenario.service.rules = wlansim::Rules::hardware;
    scenario.service.generation = 1;
    scenario.service.running = c.runningAtStart;
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    if (c.runningAtStart) {
        ASSERT_TRUE(eventually([&] { return backgroundScanOffEverywhere(run); }));
    }
    if (c.outage != nullptr) {
        c.outage(scenario);
        run.changeScenario(scenario);
    }
    std::optional<size_t> dead;
    ASSERT_TRUE(eventually([&] { return (dead = firstIndexOf(run.log(), c.deadCall, c.deadResult)).has_value(); }))
        << "the program never met the outage";
    if (c.recovery != nullptr) {
        EXPECT_TRUE(deviceList(window).empty()) << "no adapters are shown while the service is down";
        c.recovery(scenario);
        run.changeScenario(scenario);
    }
    EXPECT_TRUE(eventually([&] { return enforcedOnEveryAdapterAfter(run, scenario, *dead); }));
    EXPECT_EQ(deviceList(window), (std::vector<std::wstring>{L"Fault adapter 0", L"Fault adapter 1"}));

    const size_t off = closeWithAutoConfigOff(run, window, scenario);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(successfulOpens(run.log()), c.runningAtStart ? 2u : 1u)
        << "one new client handle after the outage, no more";
    expectSoundEnd(run, off);
}

INSTANTIATE_TEST_SUITE_P(
    Fault, FaultServiceLife,
    ::testing::Values(
        ServiceLifeCase{"notRunningAtStartThenStarted", false, nullptr, &startService,
                        "WlanOpenHandle", "1062"},
        ServiceLifeCase{"restartedMidRun", true, &restartService, nullptr, "WlanEnumInterfaces", "6"},
        ServiceLifeCase{"stoppedMidRunThenStarted", true, &stopService, &startService,
                        "WlanEnumInterfaces", "1722"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Adapters coming, going and changing their description while the program runs.

class FaultAdapterChanges : public ::testing::Test {
protected:
    void SetUp() override { forgetSavedChoices(); }
    void TearDown() override { forgetSavedChoices(); }
};

TEST_F(FaultAdapterChanges, theDeviceListFollowsAndANewAdapterIsEnforced)
{
    wlansim::Scenario scenario = adapters(1);
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(deviceList(window), std::vector<std::wstring>{L"Fault adapter 0"});

    const size_t added = run.log().size();
    scenario.adapters.push_back(adapter(1));
    run.changeScenario(scenario);
    EXPECT_TRUE(eventually([&] { return deviceList(window) == std::vector<std::wstring>{L"Fault adapter 0", L"Fault adapter 1"}; }));
    EXPECT_TRUE(eventually([&] { return wroteAfter(run.log(), added, scenario.adapters[1].guid, "2", "0"); }))
        << "the new adapter is enforced";

    scenario.adapters[0].description = L"Fault adapter 0, renamed by its driver";
    run.changeScenario(scenario);
    EXPECT_TRUE(eventually([&] { return deviceList(window) == std::vector<std::wstring>{L"Fault adapter 0, renamed by its driver", L"Fault adapter 1"}; }));

    scenario.adapters.erase(scenario.adapters.begin() + 1);
    run.changeScenario(scenario);
    EXPECT_TRUE(eventually([&] { return deviceList(window) == std::vector<std::wstring>{L"Fault adapter 0, renamed by its driver"}; }));

    const size_t off = closeWithAutoConfigOff(run, window, scenario);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    expectSoundEnd(run, off);
}

TEST_F(FaultAdapterChanges, withTheLastAdapterGoneNothingIsShownAndItIsEnforcedWhenItComesBack)
{
    wlansim::Scenario scenario = adapters(1);
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(eventually([&] { return backgroundScanOffEverywhere(run); }));

    run.changeScenario(wlansim::Scenario{});
    EXPECT_TRUE(eventually([&] { return deviceList(window).empty(); }));
    EXPECT_TRUE(eventually([&] {
        return rowText(window, ids::labelAutoConf) == L"Autoconfig [ n/a ]" &&
               rowText(window, ids::labelBackgroundScan) == L"Background scan [ n/a ]" &&
               rowText(window, ids::labelStreamingMode) == L"Streaming mode [ n/a ]";
    })) << "no stale status of the adapter that left";

    // Back with fresh driver values, as a re-plugged adapter is: everything to be put right.
    const size_t back = run.log().size();
    scenario.adapters[0].autoconfig = 0;
    scenario.adapters[0].streamingMode = 1;
    run.changeScenario(scenario);
    const GUID guid = scenario.adapters[0].guid;
    EXPECT_TRUE(eventually([&] {
        const std::vector<LoggedCall> log = run.log();
        return wroteAfter(log, back, guid, "1", "1") && wroteAfter(log, back, guid, "2", "0") &&
               wroteAfter(log, back, guid, "3", "0");
    }));
    EXPECT_TRUE(eventually([&] { return deviceList(window) == std::vector<std::wstring>{L"Fault adapter 0"} &&
                                        rowText(window, ids::labelBackgroundScan) == L"Background scan [ off ]"; }));

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    expectSoundEnd(run, std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Each of the six calls failing once.

wlansim::Fault failing(wlansim::Call call, DWORD result, std::optional<DWORD> opcode = std::nullopt)
{
    wlansim::Fault f;
    f.call = call;
    f.result = result;
    f.opcode = opcode;
    f.count = 1;
    return f;
}

wlansim::Fault nullList()
{
    wlansim::Fault f = failing(wlansim::Call::enumInterfaces, 0);
    f.kind = wlansim::FaultKind::nullList;
    return f;
}

struct FaultCase {
    const char* name;
    wlansim::Fault fault;
    size_t successfulOpens;
    size_t buffersKeptByTheService; // a failing free keeps its buffer
    bool quitFromTray;              // the program closes its handle only on Quit
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class FaultOnce : public ::testing::TestWithParam<FaultCase> {
protected:
    void SetUp() override { forgetSavedChoices(); }
    void TearDown() override { forgetSavedChoices(); }
};

bool faultSpent(const NimbrelRun& run)
{
    const wlansim::Scenario state = run.serviceState();
    return state.faults.size() == 1 && state.faults[0].count == std::optional<DWORD>(0);
}

TEST_P(FaultOnce, theProgramGoesOnAndEndsSound)
{
    const FaultCase& c = GetParam();
    wlansim::Scenario scenario = adapters(2);
    scenario.faults = {c.fault};
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    if (!c.quitFromTray) {
        ASSERT_TRUE(eventually([&] { return faultSpent(run); })) << "the fault never fired";
    }
    EXPECT_TRUE(eventually([&] { return backgroundScanOffEverywhere(run); }));
    // A change after the fault is still noticed and put right by the refresh timer.
    const size_t changedAt = run.log().size();
    scenario.adapters[1].streamingMode = 1;
    run.changeScenario(scenario);
    EXPECT_TRUE(eventually([&] { return wroteAfter(run.log(), changedAt, scenario.adapters[1].guid, "3", "0"); }));

    size_t off = 0;
    if (c.quitFromTray) {
        ASSERT_TRUE(eventually([] { return trayIconWindow() != nullptr; }));
        off = switchAutoConfigOff(run, scenario);
        ASSERT_TRUE(chooseQuitFromTrayMenu());
    } else {
        off = closeWithAutoConfigOff(run, window, scenario);
    }
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(faultSpent(run));
    EXPECT_EQ(successfulOpens(run.log()), c.successfulOpens);
    EXPECT_TRUE(backgroundScanOffEverywhere(run));
    expectSoundEnd(run, off, c.buffersKeptByTheService);
}

using wlansim::Call;

INSTANTIATE_TEST_SUITE_P(
    Fault, FaultOnce,
    ::testing::Values(
        FaultCase{"openServiceNotActive", failing(Call::openHandle, ERROR_SERVICE_NOT_ACTIVE), 1, 0, false},
        // A dead-handle code: the handle is let go and a new one opened on the next pass.
        FaultCase{"enumServerUnavailable", failing(Call::enumInterfaces, RPC_S_SERVER_UNAVAILABLE), 2, 0, false},
        // Any other code may pass: the handle is kept.
        FaultCase{"enumNotEnoughMemory", failing(Call::enumInterfaces, ERROR_NOT_ENOUGH_MEMORY), 1, 0, false},
        FaultCase{"enumNullList", nullList(), 1, 0, false},
        // Only an enumeration's result decides about the handle, whatever a query answers.
        FaultCase{"queryServerUnavailable", failing(Call::queryInterface, RPC_S_SERVER_UNAVAILABLE, 2), 1, 0, false},
        FaultCase{"setAccessDenied", failing(Call::setInterface, ERROR_ACCESS_DENIED, 2), 1, 0, false},
        FaultCase{"setIgnoredWithSuccess", failing(Call::setInterface, ERROR_SUCCESS, 2), 1, 0, false},
        FaultCase{"freeInvalidParameter", failing(Call::freeMemory, ERROR_INVALID_PARAMETER), 1, 1, false},
        // The close fails, so the service still counts the handle.
        FaultCase{"closeServerUnavailable", failing(Call::closeHandle, RPC_S_SERVER_UNAVAILABLE), 1, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// A query that succeeds without a usable value.

struct UnreadableCase {
    const char* name;
    wlansim::FaultKind kind;
    DWORD size;
    DWORD opcode;
};

void PrintTo(const UnreadableCase& c, std::ostream* out) { *out << c.name; }

class FaultUnreadableValue : public ::testing::TestWithParam<UnreadableCase> {
protected:
    void SetUp() override { forgetSavedChoices(); }
    void TearDown() override { forgetSavedChoices(); }
};

TEST_P(FaultUnreadableValue, showsNotAvailableWithoutACrashOrALeak)
{
    const UnreadableCase& c = GetParam();
    wlansim::Scenario scenario = adapters(1);
    wlansim::Fault f;
    f.call = Call::queryInterface;
    f.kind = c.kind;
    f.size = c.size;
    f.opcode = c.opcode; // every time: the value never becomes readable
    scenario.faults = {f};
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    // Rows by opcode 1, 2, 3; only the failing one reads "n/a".
    const std::array<int, 3> labels{ids::labelAutoConf, ids::labelBackgroundScan, ids::labelStreamingMode};
    const std::array<const wchar_t*, 3> rows{L"Autoconfig", L"Background scan", L"Streaming mode"};
    const std::array<const wchar_t*, 3> states{L"on", L"off", L"off"};
    std::array<std::wstring, 3> expected;
    for (size_t i = 0; i < rows.size(); ++i) {
        expected[i] = std::wstring(rows[i]) + L" [ " + (i + 1 == c.opcode ? L"n/a" : states[i]) + L" ]";
    }
    std::array<std::wstring, 3> shown;
    const bool asExpected = eventually([&] {
        for (size_t i = 0; i < labels.size(); ++i) {
            shown[i] = rowText(window, labels[i]);
        }
        return shown == expected && passes(run) >= 2; // and a timer pass met it too
    });
    EXPECT_TRUE(asExpected);
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(shown[i], expected[i]);
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(backgroundScanOffEverywhere(run));
    expectSoundEnd(run, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Fault, FaultUnreadableValue,
    ::testing::Values(UnreadableCase{"nullBufferForBackgroundScan", wlansim::FaultKind::nullBuffer, 0, 2},
                      UnreadableCase{"noBytesForStreamingMode", wlansim::FaultKind::shortData, 0, 3},
                      UnreadableCase{"threeBytesForAutoconfig", wlansim::FaultKind::shortData, 3, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Raw values no driver should report, and many adapters.

class FaultOddService : public ::testing::Test {
protected:
    void SetUp() override { forgetSavedChoices(); }
    void TearDown() override { forgetSavedChoices(); }
};

std::vector<std::string> setsOn(const std::vector<LoggedCall>& log, const GUID& guid)
{
    std::vector<std::string> sets;
    for (const LoggedCall& c : callsNamed(log, "WlanSetInterface")) {
        if (c["adapter"] == wlansim::formatGuid(guid)) {
            sets.push_back(c["opcode"] + "=" + c["value"]);
        }
    }
    return sets;
}

TEST_F(FaultOddService, twoFiveSixReadsAsOffAndTwoAsNeitherOnNorOff)
{
    wlansim::Scenario scenario = adapters(2);
    wlansim::Adapter& wide = scenario.adapters[0];
    wlansim::Adapter& two = scenario.adapters[1];
    wide.autoconfig = wide.backgroundScan = wide.streamingMode = 256;
    two.autoconfig = two.backgroundScan = two.streamingMode = 2;
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    // Two timer passes after the start: a value the program misreads would be written again.
    ASSERT_TRUE(eventually([&] { return passes(run) >= 3; }));

    const std::vector<LoggedCall> log = run.log();
    // Autoconfig reads off and is wanted on; the other two read off, as wanted.
    EXPECT_EQ(setsOn(log, wide.guid), std::vector<std::string>{"1=1"});
    // Not off, so switched off where off is wanted; never switched on, as it is not off.
    EXPECT_EQ(setsOn(log, two.guid), (std::vector<std::string>{"2=0", "3=0"}));
    const wlansim::Scenario state = run.serviceState();
    ASSERT_EQ(state.adapters.size(), 2u);
    EXPECT_EQ(state.adapters[0].autoconfig, 1u);
    EXPECT_EQ(state.adapters[0].backgroundScan, 256u);
    EXPECT_EQ(state.adapters[0].streamingMode, 256u);
    EXPECT_EQ(state.adapters[1].autoconfig, 2u);
    EXPECT_EQ(state.adapters[1].backgroundScan, 0u);
    EXPECT_EQ(state.adapters[1].streamingMode, 0u);
    // The rows show the first adapter.
    EXPECT_EQ(rowText(window, ids::labelAutoConf), L"Autoconfig [ on ]");
    EXPECT_EQ(rowText(window, ids::labelBackgroundScan), L"Background scan [ off ]");
    EXPECT_EQ(rowText(window, ids::labelStreamingMode), L"Streaming mode [ off ]");

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(setsOn(run.log(), two.guid), (std::vector<std::string>{"2=0", "3=0"}))
        << "2 is not off: the shutdown pass leaves it";
}

TEST_F(FaultOddService, sixtyFourAdaptersAreAllListedEnforcedAndRestored)
{
    const wlansim::Scenario scenario = adapters(64);
    NimbrelRun run(currentTestName(), scenario);
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    EXPECT_TRUE(eventually([&] { return backgroundScanOffEverywhere(run); }));
    std::vector<std::wstring> descriptions;
    for (const wlansim::Adapter& a : scenario.adapters) {
        descriptions.push_back(a.description);
    }
    EXPECT_EQ(deviceList(window), descriptions);

    const size_t off = closeWithAutoConfigOff(run, window, scenario);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(run.serviceState().adapters.size(), 64u);
    EXPECT_TRUE(backgroundScanOffEverywhere(run));
    expectSoundEnd(run, off);
}

} // namespace
} // namespace nimbrel::e2e
