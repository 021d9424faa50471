// The shutdown sequence: autoconfig back on wherever it reads off, the handle closed after Quit.
#include "support/FormFixture.h"

#include <algorithm>

namespace nimbrel::testing {
namespace {

using Trace = std::vector<std::string>;

class Shutdown : public FormFixture {
protected:
    // Adapter 0 has autoconfig off, 1 on, and 2 cannot be read.
    void startWithThreeAdapters()
    {
        startForm();
        form->checkBoxAutoConfig.setChecked(true);
        wlansim::Adapter off = adapter(0);
        off.autoconfig = 0;
        wlansim::Adapter on = adapter(1);
        on.autoconfig = 1;
        wlansim::Adapter unreadable = adapter(2);
        wlansim::Fault fault;
        fault.call = wlansim::Call::queryInterface;
        fault.adapter = unreadable.guid;
        fault.opcode = wlan_intf_opcode_autoconf_enabled;
        fault.result = ERROR_ACCESS_DENIED;
        useScenario({off, on, unreadable}, {fault});
        service.clearCalls();
    }

    Trace autoConfigWrites() const
    {
        Trace writes;
        for (const std::string& line : trace()) {
            if (line.rfind("set 1@", 0) == 0) {
                writes.push_back(line);
            }
        }
        return writes;
    }
};

TEST_F(Shutdown, switchesAutoConfigOnOnlyWhereItReadsOff)
{
    startWithThreeAdapters();
    form->Dispose(true);

    EXPECT_EQ(autoConfigWrites(), Trace{"set 1@0=1"});
    EXPECT_EQ(stateOf(0).autoconfig, 1u);
    EXPECT_TRUE(form->released());
    EXPECT_EQ(form->trayIcon, nullptr) << "the tray icon goes with the component container";
    EXPECT_FALSE(form->checkBoxAutoConfig.checked());
}

TEST_F(Shutdown, closesTheClientHandleOnlyAfterQuit)
{
    for (bool afterQuit : {false, true}) {
        SCOPED_TRACE(afterQuit ? "after Quit" : "any other release");
        startWithThreeAdapters();
        Form1::keepOpen = !afterQuit;
        form->Dispose(true);
        const Trace calls = trace();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"), afterQuit ? 1 : 0);
        if (afterQuit) {
            EXPECT_EQ(calls.back(), "close") << "closed after the shutdown pass";
        }
        form.reset();
    }
}

TEST_F(Shutdown, runsOnceHoweverOftenTheWindowIsReleased)
{
    startWithThreeAdapters();
    Form1::keepOpen = false;
    form->Dispose(true);
    form->Dispose(true);
    form.reset();
    const Trace calls = trace();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "enum"), 1);
}

TEST_F(Shutdown, triesTheServiceThatWasDownAtStart)
{
    wlansim::Adapter off = adapter(0);
    off.autoconfig = 0;
    useScenario({off});
    editService([](wlansim::Scenario& s) { s.service.running = false; });
    startForm();
    ASSERT_EQ(form->hClient, nullptr);
    Form1::keepOpen = false;

    editService([](wlansim::Scenario& s) { s.service.running = true; });
    form->Dispose(true);

    EXPECT_EQ(stateOf(0).autoconfig, 1u);
    const Trace calls = trace();
    EXPECT_EQ(calls.front(), "open");
    EXPECT_EQ(calls.back(), "close");
}

TEST_F(Shutdown, withTheServiceStillDownNothingIsClosed)
{
    editService([](wlansim::Scenario& s) { s.service.running = false; });
    startForm();
    Form1::keepOpen = false;
    service.clearCalls();
    form->Dispose(true);
    EXPECT_EQ(trace(), Trace{"open"});
}

TEST_F(Shutdown, aCloseFromAnotherProgramReleasesTheWindowWithoutClosingTheHandle)
{
    startWithThreeAdapters();
    const HWND window = form->handle();
    SendMessageW(window, WM_CLOSE, 0, 0);

    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(form->released());
    EXPECT_EQ(autoConfigWrites(), Trace{"set 1@0=1"});
    const Trace calls = trace();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"), 0);
}

} // namespace
} // namespace nimbrel::testing
