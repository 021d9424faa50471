// The real program's timers, tray icon and session end, with the simulated service changing.
#include "e2e/NimbrelRun.h"

#include "app/ControlIds.h"

#include <gtest/gtest.h>

namespace nimbrel::e2e {
namespace {

std::string testName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

wlansim::Scenario oneAdapter(DWORD state)
{
    wlansim::Adapter a;
    a.guid = GUID{0x52000001, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
    a.description = L"Simulated adapter";
    a.state = state;
    a.autoconfig = 1;
    a.backgroundScan = 1;
    a.streamingMode = 0;
    wlansim::Scenario scenario;
    scenario.adapters = {a};
    return scenario;
}

DWORD autoconfigOf(const NimbrelRun& run)
{
    const wlansim::Scenario state = run.serviceState();
    return state.adapters.empty() ? 99 : state.adapters[0].autoconfig;
}

TEST(ConnectionWait, endsWhenTheServiceReportsAConnection)
{
    forgetSavedChoices();
    saveChoice(L"AutoConfigDisabled", L"True");
    NimbrelRun run(testName(), oneAdapter(wlan_interface_state_disconnected));
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    const HWND box = controlOf(window, ids::checkBoxAutoConfig);

    // The first wait tick clears and locks the choice and switches autoconfig back on.
    ASSERT_TRUE(eventually([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    EXPECT_FALSE(IsWindowEnabled(box));
    ASSERT_TRUE(eventually([&] { return autoconfigOf(run) == 1; }));

    run.changeScenario(oneAdapter(wlan_interface_state_connected));
    ASSERT_TRUE(eventually([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_TRUE(IsWindowEnabled(box)) << "Wine answers that the user is an administrator";
    EXPECT_TRUE(eventually([&] { return autoconfigOf(run) == 0; })) << "the refresh timer took over";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(autoconfigOf(run), 1u);
    forgetSavedChoices();
}

// "Start minimized to tray" saved: the program starts with its tray icon only.
class HiddenStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        forgetSavedChoices();
        saveChoice(L"MinimizeToTray", L"True");
    }
    void TearDown() override { forgetSavedChoices(); }

    static HWND startHidden(NimbrelRun& run)
    {
        run.start();
        const HWND window = run.waitForWindow();
        if (window != nullptr) {
            EXPECT_TRUE(eventually([] { return trayIconWindow() != nullptr; }));
            EXPECT_FALSE(IsWindowVisible(window));
        }
        return window;
    }
};

TEST_F(HiddenStart, showsOnlyTheTrayIconUntilShownAndQuitsFromItsMenu)
{
    NimbrelRun run(testName(), oneAdapter(wlan_interface_state_connected));
    const HWND window = startHidden(run);
    ASSERT_NE(window, nullptr);
    // The status is filled before the user first looks.
    EXPECT_TRUE(eventually([&] {
        return SendMessageW(controlOf(window, ids::comboBoxDeviceList), CB_GETCOUNT, 0, 0) == 1;
    }));

    ASSERT_TRUE(chooseQuitFromTrayMenu());
    EXPECT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(callsNamed(run.log(), "WlanCloseHandle").size(), 1u);
    EXPECT_TRUE(eventually([] { return trayIconWindow() == nullptr; })) << "the icon leaves the tray";
}

TEST_F(HiddenStart, aDoubleClickOnTheTrayIconShowsTheWindow)
{
    NimbrelRun run(testName(), oneAdapter(wlan_interface_state_connected));
    const HWND window = startHidden(run);
    ASSERT_NE(window, nullptr);
    const HWND icon = trayIconWindow();
    PostMessageW(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    EXPECT_TRUE(eventually([&] { return IsWindowVisible(window) != FALSE; }));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.waitForExit(), std::optional<DWORD>(0));
}

TEST_F(HiddenStart, aSecondStartShowsTheRunningWindowAndEndsWithoutTouchingAnything)
{
    NimbrelRun first(testName() + ".first", oneAdapter(wlan_interface_state_connected));
    const HWND window = startHidden(first);
    ASSERT_NE(window, nullptr);

    NimbrelRun second(testName() + ".second", oneAdapter(wlan_interface_state_connected));
    second.start();
    EXPECT_EQ(second.waitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(eventually([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_TRUE(second.log().empty()) << "the second start made no call to the service";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.waitForExit(), std::optional<DWORD>(0));
}

TEST(SessionEnd, switchesAutoConfigBackOnBeforeWindowsEndsTheProgram)
{
    forgetSavedChoices();
    NimbrelRun run(testName(), oneAdapter(wlan_interface_state_connected));
    run.start();
    const HWND window = run.waitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    wlansim::Scenario off = oneAdapter(wlan_interface_state_connected);
    off.adapters[0].autoconfig = 0;
    run.changeScenario(off);

    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    // Restored by the time the message returns.
    EXPECT_EQ(autoconfigOf(run), 1u);
    EXPECT_EQ(run.waitForExit(), std::optional<DWORD>(0));
}

} // namespace
} // namespace nimbrel::e2e
