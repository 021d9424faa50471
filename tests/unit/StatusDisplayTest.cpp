// What the Status page and the tray icon show of the first adapter.
#include "support/FormFixture.h"

#include "app/ControlIds.h"

namespace nimbrel::testing {
namespace {

constexpr DWORD unreadable = 0xFFFFFFFF;

class StatusDisplay : public FormFixture {
protected:
    // The image key a picture box shows, "" for none.
    std::wstring keyShownBy(const gui::PictureBox& box)
    {
        for (const wchar_t* key : {L"grey.Image", L"green.Image", L"red.Image"}) {
            if (box.image() != nullptr && box.image() == form->resources.image(key)) {
                return key;
            }
        }
        return box.image() == nullptr ? L"" : L"?";
    }
};

struct RowCase {
    Tweak tweak;
    DWORD value;
    std::wstring_view text;
    std::wstring_view key;
};

class StatusRow : public StatusDisplay, public ::testing::WithParamInterface<RowCase> {};

TEST_P(StatusRow, showsTheProbedValueWithItsColour)
{
    const RowCase& c = GetParam();
    startForm();
    wlansim::Adapter shown = adapter(0);
    std::vector<wlansim::Fault> faults;
    if (c.value == unreadable) {
        wlansim::Fault fault;
        fault.call = wlansim::Call::queryInterface;
        fault.opcode = traitsOf(c.tweak).opcode;
        fault.result = ERROR_NOT_SUPPORTED;
        faults.push_back(fault);
    } else {
        *wlansim::settingFor(shown, traitsOf(c.tweak).opcode) = c.value;
    }
    useScenario({shown}, faults);

    form->queryAll(form->hClient, shown.guid, 0, nullptr);

    const gui::Label& label = c.tweak == Tweak::autoConfig       ? form->labelAutoConf
                              : c.tweak == Tweak::backgroundScan ? form->labelBackgroundScan
                                                                 : form->labelStreamingMode;
    const gui::PictureBox& indicator = c.tweak == Tweak::autoConfig ? form->pictureBoxAutoConfig
                                       : c.tweak == Tweak::backgroundScan
                                           ? form->pictureBoxBackgroundScan
                                           : form->pictureBoxStreamingMode;
    EXPECT_EQ(label.text(), c.text);
    EXPECT_EQ(keyShownBy(indicator), c.key);
}

// Red and green swap for streaming mode: green is what the tweak's box asks for when checked.
INSTANTIATE_TEST_SUITE_P(
    AllTweaks, StatusRow,
    ::testing::Values(
        RowCase{Tweak::autoConfig, 1, L"Autoconfig [ on ]", L"red.Image"},
        RowCase{Tweak::autoConfig, 0, L"Autoconfig [ off ]", L"green.Image"},
        RowCase{Tweak::autoConfig, 2, L"Autoconfig [ off ]", L"green.Image"},
        RowCase{Tweak::autoConfig, unreadable, L"Autoconfig [ n/a ]", L"grey.Image"},
        RowCase{Tweak::backgroundScan, 1, L"Background scan [ on ]", L"red.Image"},
        RowCase{Tweak::backgroundScan, 0, L"Background scan [ off ]", L"green.Image"},
        RowCase{Tweak::backgroundScan, 2, L"Background scan [ off ]", L"green.Image"},
        RowCase{Tweak::backgroundScan, unreadable, L"Background scan [ n/a ]", L"grey.Image"},
        RowCase{Tweak::streamingMode, 1, L"Streaming mode [ on ]", L"green.Image"},
        RowCase{Tweak::streamingMode, 0, L"Streaming mode [ off ]", L"red.Image"},
        RowCase{Tweak::streamingMode, 2, L"Streaming mode [ off ]", L"red.Image"},
        RowCase{Tweak::streamingMode, unreadable, L"Streaming mode [ n/a ]", L"grey.Image"}));

TEST_F(StatusDisplay, aPassThatEndsEarlyKeepsTheStartValues)
{
    editService([](wlansim::Scenario& s) { s.service.running = false; });
    startForm();
    EXPECT_EQ(form->labelAutoConf.text(), L"Autoconfig");
    EXPECT_EQ(form->labelBackgroundScan.text(), L"Background scan");
    EXPECT_EQ(form->labelStreamingMode.text(), L"Streaming mode");
    EXPECT_EQ(keyShownBy(form->pictureBoxAutoConfig), L"grey.Image");
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"unknown");
    EXPECT_EQ(form->trayIcon->text(), L"Nimbrel");
    EXPECT_EQ(form->trayIcon->icon(), Form1::greyIcon.get());
    EXPECT_EQ(keyShownBy(form->pictureBoxUAC), L"") << "the set has no pictureBoxUAC.Image";
    EXPECT_EQ(keyShownBy(form->pictureBoxUAC2), L"");
}

TEST_F(StatusDisplay, noAdapterShowsEveryRowUnavailable)
{
    startForm();
    useScenario({adapter(0)});
    form->EnumInterfaces();
    useScenario({});
    form->EnumInterfaces();
    EXPECT_EQ(form->labelStreamingMode.text(), L"Streaming mode [ n/a ]");
    for (const gui::PictureBox* box :
         {&form->pictureBoxAutoConfig, &form->pictureBoxBackgroundScan, &form->pictureBoxStreamingMode}) {
        EXPECT_EQ(keyShownBy(*box), L"grey.Image");
    }
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"unknown");
    EXPECT_EQ(form->trayIcon->icon(), Form1::greyIcon.get());
}

TEST_F(StatusDisplay, aStateOutsideTheKnownOnesReadsUnknown)
{
    useScenario({adapter(0, 8)});
    startForm();
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"Unknown");
    EXPECT_EQ(form->trayIcon->text(), L"Unknown");
}

TEST_F(StatusDisplay, theShieldMarkerFollowsTheAutoconfigLabel)
{
    wlansim::Adapter shown = adapter(0);
    shown.autoconfig = 0;
    useScenario({shown});
    startForm();
    form->checkBoxAutoConfig.setChecked(true); // keeps autoconfig off
    form->EnumInterfaces();
    ASSERT_EQ(form->labelAutoConf.text(), L"Autoconfig [ off ]");
    const RECT offLabel = form->labelAutoConf.bounds();
    const RECT offMarker = form->pictureBoxUAC2.bounds();
    EXPECT_EQ(offMarker.left, offLabel.right + 5);

    form->checkBoxAutoConfig.setChecked(false); // the pass switches it on
    form->EnumInterfaces();
    ASSERT_EQ(form->labelAutoConf.text(), L"Autoconfig [ on ]");
    const RECT onLabel = form->labelAutoConf.bounds();
    const RECT onMarker = form->pictureBoxUAC2.bounds();
    EXPECT_EQ(onMarker.left, onLabel.right + 5);
    EXPECT_EQ(onMarker.left - offMarker.left, (onLabel.right - onLabel.left) - (offLabel.right - offLabel.left));
    EXPECT_EQ(onMarker.top, offMarker.top);
}

TEST_F(StatusDisplay, anotherSelectionInTheDeviceListLastsOnlyUntilTheNextPass)
{
    wlansim::Adapter first = adapter(0, wlan_interface_state_disconnected);
    useScenario({first, adapter(1)});
    startForm();
    form->comboBoxDeviceList.select(1);
    form->EnumInterfaces();
    EXPECT_EQ(form->comboBoxDeviceList.selectedIndex(), 0);
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"Disconnected");
}

} // namespace
} // namespace nimbrel::testing
