// The tray icon comes back after Explorer restarts; a second start shows the running window.
#include "support/FormFixture.h"

#include "app/ControlIds.h"
#include "app/SingleInstance.h"

#include <shellapi.h>

namespace nimbrel::testing {
namespace {

class TrayIcon : public FormFixture {
protected:
    void SetUp() override { startForm(); }

    // Whether the shell knows the icon: only a known icon can be modified.
    bool iconInTray() const
    {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof(nid);
        nid.hWnd = form->handle();
        nid.uID = ids::trayIconId;
        return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
    }
    void removeIconBehindTheProgramsBack() const
    {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof(nid);
        nid.hWnd = form->handle();
        nid.uID = ids::trayIconId;
        Shell_NotifyIconW(NIM_DELETE, &nid);
    }
    void broadcastTaskbarCreated() const
    {
        SendMessageW(form->handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    }
};

TEST_F(TrayIcon, comesBackWhenExplorerRestarts)
{
    ASSERT_TRUE(iconInTray());
    removeIconBehindTheProgramsBack();
    ASSERT_FALSE(iconInTray());
    broadcastTaskbarCreated();
    EXPECT_TRUE(iconInTray());
    EXPECT_TRUE(form->trayIcon->shown());
}

TEST_F(TrayIcon, aBroadcastWhileTheIconIsThereKeepsOneIcon)
{
    broadcastTaskbarCreated();
    EXPECT_TRUE(iconInTray());
    form.reset(); // the icon leaves the tray with the window
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.uID = ids::trayIconId;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &nid)) << "no second icon was left behind";
}

TEST_F(TrayIcon, aSecondStartShowsTheRunningWindow)
{
    const SingleInstance first;
    ASSERT_TRUE(first.isFirst());
    const SingleInstance second;
    EXPECT_FALSE(second.isFirst());

    ASSERT_FALSE(form->visible());
    SendMessageW(form->handle(), RegisterWindowMessageW(showRunningInstanceMessageName), 0, 0);
    EXPECT_TRUE(form->visible());
    EXPECT_TRUE(form->timerEnumInterfaces->running());
}

} // namespace
} // namespace nimbrel::testing
