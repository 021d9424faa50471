// The refresh timer, and the wait for a first connection when autoconfig is to be switched off.
#include "support/FormFixture.h"

#include <algorithm>

namespace nimbrel::testing {
namespace {

class Scheduling : public FormFixture {
protected:
    // "Disable autoconfig" saved, and one adapter, not connected, with autoconfig on.
    void startWaiting(bool withRights = true)
    {
        ScratchRegistry::setString(settingsKeyPath, L"AutoConfigDisabled", L"True");
        security.membershipAnswer = withRights ? TRUE : FALSE;
        wlansim::Adapter a = adapter(0, wlan_interface_state_disconnected);
        a.autoconfig = 1;
        useScenario({a});
        startForm();
    }
    void waitTick() { form->timerWaitForConnection_Tick(form->timerWaitForConn, EventArgs{}); }
    void refreshTick() { form->timerEnumInterfaces_Tick(form->timerEnumInterfaces, EventArgs{}); }
    void connect()
    {
        editService([](wlansim::Scenario& s) { s.adapters[0].state = wlan_interface_state_connected; });
    }
    long trims() const
    {
        return static_cast<long>(std::count(processMemory.calls.begin(), processMemory.calls.end(), "trim"));
    }
};

struct ChoiceCase {
    bool autoConfigSaved;
    bool connected;
    bool waits;
};

class StartupChoice : public Scheduling, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StartupChoice, startsExactlyOneTimer)
{
    const ChoiceCase c = GetParam();
    if (c.autoConfigSaved) {
        ScratchRegistry::setString(settingsKeyPath, L"AutoConfigDisabled", L"True");
    }
    useScenario({adapter(0, c.connected ? wlan_interface_state_connected : wlan_interface_state_disconnected)});
    startForm();
    EXPECT_EQ(form->timerWaitForConn->running(), c.waits);
    EXPECT_EQ(form->timerEnumInterfaces->running(), !c.waits);
    EXPECT_EQ(form->timerEnumInterfaces->interval(), 2000u);
    EXPECT_EQ(form->timerWaitForConn->interval(), 2000u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupChoice,
                         ::testing::Values(ChoiceCase{true, false, true}, ChoiceCase{true, true, false},
                                           ChoiceCase{false, false, false}, ChoiceCase{false, true, false}));

TEST_F(Scheduling, theWaitKeepsAutoConfigOnUntilAConnectionThenHandsOver)
{
    startWaiting();
    EXPECT_EQ(stateOf(0).autoconfig, 0u) << "the first pass switched it off";

    waitTick();
    EXPECT_FALSE(form->checkBoxAutoConfig.checked());
    EXPECT_FALSE(form->checkBoxAutoConfig.enabled());
    EXPECT_EQ(stateOf(0).autoconfig, 1u);
    waitTick();
    EXPECT_TRUE(form->timerWaitForConn->running());
    EXPECT_FALSE(form->timerEnumInterfaces->running());

    connect();
    waitTick();
    EXPECT_TRUE(form->checkBoxAutoConfig.checked()) << "the saved choice is back";
    EXPECT_TRUE(form->checkBoxAutoConfig.enabled());
    EXPECT_TRUE(form->timerEnumInterfaces->running());
    EXPECT_FALSE(form->timerWaitForConn->running());
    EXPECT_EQ(stateOf(0).autoconfig, 1u) << "no pass at the hand-over";

    refreshTick();
    EXPECT_EQ(stateOf(0).autoconfig, 0u);
}

TEST_F(Scheduling, withoutRightsTheBoxStaysLockedThroughTheWait)
{
    startWaiting(false);
    EXPECT_TRUE(form->timerWaitForConn->running()) << "the same choice as with rights";
    waitTick();
    connect();
    waitTick();
    EXPECT_TRUE(form->checkBoxAutoConfig.checked());
    EXPECT_FALSE(form->checkBoxAutoConfig.enabled());
}

TEST_F(Scheduling, aSaveDuringTheWaitStoresWhatTheBoxShowsOnlyWithRights)
{
    for (bool withRights : {true, false}) {
        SCOPED_TRACE(withRights ? "with rights" : "without rights");
        RegDeleteTreeW(HKEY_CURRENT_USER, settingsKeyPath);
        startWaiting(withRights);
        waitTick();
        SendMessageW(form->buttonApply.handle(), BM_CLICK, 0, 0);
        connect();
        waitTick();
        EXPECT_EQ(form->checkBoxAutoConfig.checked(), !withRights);
        refreshTick();
        EXPECT_EQ(stateOf(0).autoconfig, withRights ? 1u : 0u);
        form.reset();
    }
}

TEST_F(Scheduling, unsavedChangesDuringTheWaitAreReplacedAtTheHandOver)
{
    startWaiting();
    waitTick();
    form->checkBoxStreamingMode.setChecked(true);
    form->checkBoxBackgroundScan.setChecked(false);
    connect();
    waitTick();
    EXPECT_FALSE(form->checkBoxStreamingMode.checked());
    EXPECT_TRUE(form->checkBoxBackgroundScan.checked());
}

TEST_F(Scheduling, showingOrHidingDuringTheWaitStartsTheRefreshTimerToo)
{
    startWaiting();
    form->toolStripMenuShow_Click(nullptr, EventArgs{});
    EXPECT_TRUE(form->timerEnumInterfaces->running());
    EXPECT_TRUE(form->timerWaitForConn->running());
    waitTick();
    refreshTick();
    EXPECT_EQ(stateOf(0).autoconfig, 1u) << "the refresh passes keep it on during the wait too";
    connect();
    waitTick();
    EXPECT_FALSE(form->timerWaitForConn->running());
    EXPECT_TRUE(form->timerEnumInterfaces->running());
}

TEST_F(Scheduling, everyTickOfEitherTimerEndsWithATrim)
{
    startWaiting();
    processMemory.calls.clear();
    waitTick();
    EXPECT_EQ(trims(), 1) << "a wait tick that found no connection";
    connect();
    waitTick();
    EXPECT_EQ(trims(), 2);
    refreshTick();
    EXPECT_EQ(trims(), 3);
    EXPECT_EQ(processMemory.calls.back(), "unlock") << "the trim comes after the pass";
}

TEST_F(Scheduling, theTimersTickThroughTheMessageLoop)
{
    useScenario({adapter(0)});
    startForm();
    ASSERT_TRUE(form->timerEnumInterfaces->running());
    service.clearCalls();
    processMemory.calls.clear();
    // A tick is a WM_TIMER of the window.
    SendMessageW(form->handle(), WM_TIMER, form->timerEnumInterfaces->id(), 0);
    EXPECT_FALSE(trace().empty());
    EXPECT_EQ(trims(), 1);
}

} // namespace
} // namespace nimbrel::testing
