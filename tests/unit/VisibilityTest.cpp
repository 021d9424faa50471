// The window's visibility and the tray icon's actions: closing hides, only Quit ends the program.
#include "support/FormFixture.h"

#include "app/ControlIds.h"

#include <algorithm>

namespace nimbrel::testing {
namespace {

enum class Start { hidden, shown, hiddenAfterShown };

class Visibility : public FormFixture {
protected:
    void startIn(Start state)
    {
        useScenario({adapter(0)});
        startForm();
        if (state != Start::hidden) {
            form->show();
        }
        if (state == Start::hiddenAfterShown) {
            closeByUser();
        }
        service.clearCalls();
        processMemory.calls.clear();
    }
    void closeByUser() { SendMessageW(form->handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }
    void doubleClickTray()
    {
        SendMessageW(form->handle(), ids::trayCallbackMessage, MAKEWPARAM(100, 100),
                     MAKELPARAM(WM_LBUTTONDBLCLK, ids::trayIconId));
    }
    void menu(int id) { SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    long count(const std::string& call) const
    {
        const auto calls = trace();
        return static_cast<long>(std::count(calls.begin(), calls.end(), call));
    }
    long trims() const
    {
        return static_cast<long>(std::count(processMemory.calls.begin(), processMemory.calls.end(), "trim"));
    }
};

TEST_F(Visibility, theUsersCloseHidesTheWindowAndTheProgramGoesOn)
{
    startIn(Start::shown);
    form->timerEnumInterfaces->stop();
    closeByUser();
    EXPECT_FALSE(form->released());
    EXPECT_FALSE(form->visible());
    EXPECT_TRUE(form->timerEnumInterfaces->running());
    EXPECT_EQ(trims(), 1);
    EXPECT_EQ(count("enum"), 0) << "hiding runs no pass";
}

struct ToggleCase {
    const char* what;
    Start state;
    bool byDoubleClick;
    bool visibleAfter;
};

class Toggle : public Visibility, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(Toggle, showsAHiddenWindowAndHidesAShownOne)
{
    const ToggleCase c = GetParam();
    startIn(c.state);
    form->timerEnumInterfaces->stop();
    if (c.byDoubleClick) {
        doubleClickTray();
    } else {
        menu(ids::menuItemShow);
    }
    EXPECT_EQ(form->visible(), c.visibleAfter) << c.what;
    EXPECT_FALSE(form->released());
    EXPECT_TRUE(form->timerEnumInterfaces->running()) << c.what;
    EXPECT_EQ(trims(), 1) << c.what;
    EXPECT_TRUE(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "no task bar button";
}

INSTANTIATE_TEST_SUITE_P(
    EveryState, Toggle,
    ::testing::Values(ToggleCase{"never shown, menu", Start::hidden, false, true},
                      ToggleCase{"never shown, double click", Start::hidden, true, true},
                      ToggleCase{"shown, menu", Start::shown, false, false},
                      ToggleCase{"shown, double click", Start::shown, true, false},
                      ToggleCase{"hidden, menu", Start::hiddenAfterShown, false, true},
                      ToggleCase{"hidden, double click", Start::hiddenAfterShown, true, true}));

class Quit : public Visibility, public ::testing::WithParamInterface<Start> {};

TEST_P(Quit, releasesTheWindowOnceAndClosesTheHandle)
{
    startIn(GetParam());
    menu(ids::menuItemQuit);
    EXPECT_TRUE(form->released());
    EXPECT_FALSE(Form1::keepOpen);
    EXPECT_EQ(count("enum"), 1) << "one shutdown pass";
    EXPECT_EQ(count("close"), 1);
    EXPECT_EQ(trace().back(), "close");
    EXPECT_EQ(form->trayIcon, nullptr) << "the tray icon is gone with the container";
    form.reset();
    EXPECT_EQ(count("close"), 1) << "and nothing more when the object goes";
}

INSTANTIATE_TEST_SUITE_P(EveryState, Quit,
                         ::testing::Values(Start::hidden, Start::shown, Start::hiddenAfterShown));

TEST_F(Visibility, aCloseThatIsNotTheUsersIsNotTurnedIntoAHide)
{
    startIn(Start::shown);
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form->released());
    EXPECT_EQ(count("enum"), 1);
    EXPECT_EQ(count("close"), 0);
}

TEST_F(Visibility, theEndOfTheSessionRestoresAutoConfigBeforeItReturns)
{
    startIn(Start::hidden);
    editService([](wlansim::Scenario& s) { s.adapters[0].autoconfig = 0; });
    EXPECT_EQ(SendMessageW(form->handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_FALSE(form->released()) << "asking changes nothing";
    SendMessageW(form->handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(form->released());
    EXPECT_EQ(stateOf(0).autoconfig, 1u);
}

TEST_F(Visibility, aSessionThatDoesNotEndChangesNothing)
{
    startIn(Start::shown);
    SendMessageW(form->handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(form->released());
    EXPECT_TRUE(form->visible());
}

} // namespace
} // namespace nimbrel::testing
