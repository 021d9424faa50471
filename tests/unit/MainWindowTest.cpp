// The window as built: controls, tooltips, start values, and the About page's actions.
#include "support/FormFixture.h"

#include "app/ControlIds.h"
#include "ui/AboutLinks.h"
#include "ui/BuildSettings.h"

#include <commctrl.h>

namespace nimbrel::testing {
namespace {

class MainWindow : public FormFixture {
protected:
    void SetUp() override { startForm(); }

    // A click at a point of a control's client area, as the mouse would make it.
    static void clickAt(const gui::Control& control, POINT point)
    {
        const LPARAM at = MAKELPARAM(point.x, point.y);
        SendMessageW(control.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(control.handle(), WM_LBUTTONUP, 0, at);
    }

    static int lineHeight(const gui::Control& label)
    {
        const RECT bounds = label.bounds();
        return (bounds.bottom - bounds.top) / 2;
    }
};

TEST_F(MainWindow, isAFixedToolWindowOfTheLaidOutSize)
{
    const HWND window = form->handle();
    wchar_t caption[32] = {};
    GetWindowTextW(window, caption, 32);
    EXPECT_STREQ(caption, L"Nimbrel");
    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    const auto exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW) << "never a task bar button";
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));

    // 198×180 layout units, scaled like every control by the font's real character cell.
    RECT client{};
    GetClientRect(window, &client);
    const RECT tab = form->tabControl.bounds();
    EXPECT_NEAR((tab.right - tab.left) * 198.0 / 214.0, client.right - client.left, 2.0);
    EXPECT_NEAR((tab.bottom - tab.top) * 180.0 / 190.0, client.bottom - client.top, 2.0);
    EXPECT_LT(tab.left, 0);
    EXPECT_LT(tab.top, 0);
}

TEST_F(MainWindow, laysItselfOutAgainForANewMonitorDpi)
{
    auto clientWidth = [&] {
        RECT client{};
        GetClientRect(form->handle(), &client);
        return client.right;
    };
    const LONG before = clientWidth();
    RECT suggested{0, 0, 400, 400};
    SendMessageW(form->handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_NEAR(clientWidth(), 2 * before, before / 5);
    const RECT label = form->labelAutoConf.bounds();
    EXPECT_GT(label.bottom - label.top, 20) << "the fonts follow the monitor";

    SendMessageW(form->handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(clientWidth(), before);
}

TEST_F(MainWindow, startsOnTheStatusPageWithEveryChoiceEnabled)
{
    EXPECT_EQ(form->tabControl.selectedIndex(), 0);
    EXPECT_EQ(form->tabControl.pageCount(), 3u);
    EXPECT_TRUE(IsWindowVisible(form->tabPageStatus->handle()) || !IsWindowVisible(form->handle()));
    for (const gui::CheckBox* box : {&form->checkBoxAutorun, &form->checkBoxMinimize, &form->checkBoxAutoConfig,
                                     &form->checkBoxBackgroundScan, &form->checkBoxStreamingMode}) {
        EXPECT_TRUE(box->enabled());
    }
    EXPECT_EQ(form->trayIcon->text().empty(), false);
    EXPECT_FALSE(form->timerEnumInterfaces->running() && form->timerWaitForConn->running());
}

TEST_F(MainWindow, everyControlCanBeFoundByItsId)
{
    for (int id = ids::tabControl; id <= ids::pictureBoxPayPal; ++id) {
        if (gui::Control* control = form->controlWithId(id)) {
            EXPECT_EQ(GetDlgCtrlID(control->handle()), id);
        }
    }
    EXPECT_EQ(GetDlgItem(form->handle(), ids::tabControl), form->tabControl.handle());
}

TEST_F(MainWindow, everyTooltipOfTheTable)
{
    const std::pair<gui::Control*, std::wstring_view> tips[] = {
        {&form->buttonApply, L"Save settings"},
        {&form->checkBoxAutorun, L"Run application when Windows session starts"},
        {&form->checkBoxMinimize, L"Start application minimized to tray"},
        {&form->buttonDonate, L"Feel free to donate if Nimbrel helped you"},
        {&form->labelFeedback, build::feedbackMail},
        {&form->labelVersion, build::homepage},
        {&form->checkBoxAutoConfig, L"Disable autoconfig (not recommended)"},
        {&form->checkBoxStreamingMode, L"Enable streaming mode"},
        {&form->checkBoxBackgroundScan, L"Disable background scan"},
        {&form->pictureBoxUAC, L"Admin rights necessary to modify the autoconfig flag"},
        {&form->pictureBoxUAC2, L"Admin rights necessary to modify the autoconfig flag"},
    };
    for (const auto& [control, text] : tips) {
        EXPECT_EQ(form->toolTip->textOf(control->handle()), text);
    }
    EXPECT_EQ(SendMessageW(form->toolTip->handle(), TTM_GETDELAYTIME, TTDT_RESHOW, 0), 500);
    // The two address tooltips name what the links open.
    EXPECT_EQ(homepageAddress(), L"http://" + std::wstring(build::homepage));
    EXPECT_EQ(feedbackAddress(), L"mailto:" + std::wstring(build::feedbackMail));
}

TEST_F(MainWindow, onlyTheFirstLineOfTheVersionIsALink)
{
    clickAt(form->labelVersion, POINT{2, lineHeight(form->labelVersion) + 2});
    EXPECT_TRUE(shell.opened.empty()) << "\"v0.21 Alpha\" is plain text";
    clickAt(form->labelVersion, POINT{2, 2});
    EXPECT_EQ(shell.opened, std::vector<std::wstring>{homepageAddress()});
}

TEST_F(MainWindow, bothLinesOfTheFeedbackLinkOpenTheMail)
{
    clickAt(form->labelFeedback, POINT{2, lineHeight(form->labelFeedback) + 2});
    clickAt(form->labelFeedback, POINT{2, 2});
    EXPECT_EQ(shell.opened, (std::vector<std::wstring>{feedbackAddress(), feedbackAddress()}));
}

TEST_F(MainWindow, donateAsksForTheKeyboardLanguageAtEachClick)
{
    inputLanguage.cultureName = L"de-DE";
    SendMessageW(form->buttonDonate.handle(), BM_CLICK, 0, 0);
    inputLanguage.cultureName = L"fi-FI";
    SendMessageW(form->buttonDonate.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(shell.opened, (std::vector<std::wstring>{donationAddress(1), donationAddress(6)}));
    EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(MainWindow, aLinkThatCannotBeOpenedIsReportedOnce)
{
    shell.failing = true;
    inputLanguage.cultureName = L"en-GB";
    SendMessageW(form->buttonDonate.handle(), BM_CLICK, 0, 0);
    clickAt(form->labelFeedback, POINT{2, 2});
    clickAt(form->labelVersion, POINT{2, 2});

    ASSERT_EQ(messageBoxes.shown.size(), 3u);
    const std::wstring texts[] = {L"Unable to open " + donationAddress(2),
                                  L"Unable to open email client.",
                                  L"Unable to open " + std::wstring(build::homepage)};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(messageBoxes.shown[i].text, texts[i]);
        EXPECT_EQ(messageBoxes.shown[i].caption, L"Error");
        EXPECT_EQ(messageBoxes.shown[i].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(messageBoxes.shown[i].owner, form->handle());
    }
}

TEST_F(MainWindow, everyChangeOfAChoiceEnablesSave)
{
    form->buttonApply.setEnabled(false);
    form->checkBoxStreamingMode.setChecked(true);
    EXPECT_TRUE(form->buttonApply.enabled());
    form->buttonApply.setEnabled(false);
    SendMessageW(form->checkBoxAutorun.handle(), BM_CLICK, 0, 0); // as the user clicks it
    EXPECT_TRUE(form->checkBoxAutorun.checked());
    EXPECT_TRUE(form->buttonApply.enabled());
}

} // namespace
} // namespace nimbrel::testing
