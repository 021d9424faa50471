// The real program under Wine against the simulated service.
#include "e2e/NimbrelRun.h"

#include "app/ControlIds.h"

#include <gtest/gtest.h>

namespace nimbrel::e2e {
namespace {

wlansim::Adapter adapter(int index, DWORD state)
{
    wlansim::Adapter a;
    a.guid = GUID{0x51000000u + static_cast<unsigned long>(index), 0xabcd, 0xef01,
                  {1, 2, 3, 4, 5, 6, 7, static_cast<unsigned char>(index)}};
    a.description = L"Simulated adapter " + std::to_wstring(index);
    a.state = state;
    a.autoconfig = 1;
    a.backgroundScan = 1;
    a.streamingMode = 0;
    return a;
}

wlansim::Scenario twoAdapters()
{
    wlansim::Scenario scenario;
    scenario.adapters = {adapter(0, wlan_interface_state_connected),
                         adapter(1, wlan_interface_state_disconnected)};
    return scenario;
}

std::string testName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

TEST(FirstStart, switchesBackgroundScanOffOnEveryAdapterAndNothingElse)
{
    forgetSavedChoices();
    NimbrelRun run(testName(), twoAdapters());
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    const std::vector<LoggedCall> sets = callsNamed(run.log(), "WlanSetInterface");
    ASSERT_EQ(sets.size(), 2u);
    for (const LoggedCall& set : sets) {
        EXPECT_EQ(set["opcode"], "2");
        EXPECT_EQ(set["value"], "0");
    }
    const wlansim::Scenario state = run.serviceState();
    ASSERT_EQ(state.adapters.size(), 2u);
    for (const wlansim::Adapter& a : state.adapters) {
        EXPECT_EQ(a.backgroundScan, 0u);
        EXPECT_EQ(a.autoconfig, 1u);
        EXPECT_EQ(a.streamingMode, 0u);
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.waitForExit(), std::optional<DWORD>(0));
}

TEST(FirstStart, aCloseFromAnotherProgramRestoresAutoConfigAndLeavesTheHandleOpen)
{
    forgetSavedChoices();
    NimbrelRun run(testName(), twoAdapters());
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    // Someone switched autoconfig off behind the program's back.
    wlansim::Scenario changed = twoAdapters();
    changed.adapters[0].autoconfig = 0;
    changed.adapters[1].autoconfig = 0;
    run.changeScenario(changed);
    const size_t callsBeforeClose = run.log().size();

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));

    const std::vector<LoggedCall> log = run.log();
    ASSERT_GT(log.size(), callsBeforeClose) << "a shutdown pass ran";
    EXPECT_TRUE(callsNamed(log, "WlanCloseHandle").empty());
    for (const wlansim::Adapter& a : run.serviceState().adapters) {
        EXPECT_EQ(a.autoconfig, 1u);
    }
}

TEST(SavedChoices, surviveARestart)
{
    forgetSavedChoices();
    {
        NimbrelRun first(testName() + ".1", twoAdapters());
        first.start();
        const HWND window = first.waitForVisibleWindow();
        ASSERT_NE(window, nullptr);
        SendMessageW(controlOf(window, ids::checkBoxStreamingMode), BM_CLICK, 0, 0);
        SendMessageW(controlOf(window, ids::checkBoxBackgroundScan), BM_CLICK, 0, 0);
        SendMessageW(controlOf(window, ids::buttonApply), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(controlOf(window, ids::buttonApply)));
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(first.waitForExit(), std::optional<DWORD>(0));
    }
    NimbrelRun second(testName() + ".2", twoAdapters());
    second.start();
    const HWND window = second.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    auto checked = [&](int id) { return SendMessageW(controlOf(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_TRUE(checked(ids::checkBoxStreamingMode));
    EXPECT_FALSE(checked(ids::checkBoxBackgroundScan));
    EXPECT_FALSE(checked(ids::checkBoxAutoConfig));
    for (const wlansim::Adapter& a : second.serviceState().adapters) {
        EXPECT_EQ(a.streamingMode, 1u);
        EXPECT_EQ(a.backgroundScan, 1u) << "background scan is left on now";
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(second.waitForExit(), std::optional<DWORD>(0));
    forgetSavedChoices();
}

} // namespace
} // namespace nimbrel::e2e
