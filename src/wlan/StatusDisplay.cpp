// What the Status page and the tray icon show of the first adapter.
#include "app/Form1.h"

#include <string>

namespace nimbrel {

std::wstring_view Form1::InterfaceState(WLAN_INTERFACE_STATE state)
{
    switch (state) {
    case wlan_interface_state_not_ready:
        return L"Not ready";
    case wlan_interface_state_connected:
        return L"Connected";
    case wlan_interface_state_ad_hoc_network_formed:
        return L"Adhoc network formed";
    case wlan_interface_state_disconnecting:
        return L"Disconnecting";
    case wlan_interface_state_disconnected:
        return L"Disconnected";
    case wlan_interface_state_associating:
        return L"Associating";
    case wlan_interface_state_discovering:
        return L"Discovering";
    case wlan_interface_state_authenticating:
        return L"Authenticating";
    }
    return L"Unknown";
}

void Form1::queryAll(HANDLE hClient, GUID guid, DWORD outsize, int* pb)
{
    queryAutoConfig(hClient, guid, outsize, pb);
    queryBackgroundScan(hClient, guid, outsize, pb);
    queryStreamingMode(hClient, guid, outsize, pb);
}

gui::Label& Form1::statusRowLabel(Tweak tweak)
{
    switch (tweak) {
    case Tweak::autoConfig:
        return labelAutoConf;
    case Tweak::backgroundScan:
        return labelBackgroundScan;
    case Tweak::streamingMode:
        break;
    }
    return labelStreamingMode;
}

gui::PictureBox& Form1::statusRowIndicator(Tweak tweak)
{
    switch (tweak) {
    case Tweak::autoConfig:
        return pictureBoxAutoConfig;
    case Tweak::backgroundScan:
        return pictureBoxBackgroundScan;
    case Tweak::streamingMode:
        break;
    }
    return pictureBoxStreamingMode;
}

void Form1::showIndicator(gui::PictureBox& indicator, std::wstring_view key)
{
    indicator.setImage(resources.image(key));
}

void Form1::showStatusRow(Tweak tweak, bool queryFailed)
{
    const bool on = !queryFailed && storedValue(tweak) == ON;
    const std::wstring_view state = queryFailed ? L" [ n/a ]" : on ? L" [ on ]" : L" [ off ]";
    statusRowLabel(tweak).setText(std::wstring(traitsOf(tweak).rowName).append(state));
    // Green marks the state that the tweak's box asks for when checked, red the other one.
    const bool wanted = on == traitsOf(tweak).checkedMeansOn;
    showIndicator(statusRowIndicator(tweak), queryFailed ? L"grey.Image"
                                             : wanted    ? L"green.Image"
                                                         : L"red.Image");
}

void Form1::moveShieldMarker()
{
    const RECT label = labelAutoConf.bounds();
    const RECT marker = pictureBoxUAC2.bounds();
    const LONG x = label.right - label.left + label.left + 5;
    if (marker.left != x) {
        pictureBoxUAC2.moveTo(x, marker.top);
    }
}

void Form1::showStatusOf(const WLAN_INTERFACE_INFO_LIST* list)
{
    if (comboBoxDeviceList.count() > 0) {
        comboBoxDeviceList.select(0);
    }
    if (list == nullptr) {
        return;
    }
    const int selected = comboBoxDeviceList.selectedIndex();
    if (list->dwNumberOfItems > 0 && selected > -1) {
        const WLAN_INTERFACE_INFO& shown = list->InterfaceInfo[0];
        queryAll(hClient, shown.InterfaceGuid, 0, nullptr);
        toolStripStatusLabel.setText(InterfaceState(shown.isState));
    } else {
        for (Tweak tweak : allTweaks) {
            statusRowLabel(tweak).setText(std::wstring(traitsOf(tweak).rowName).append(L" [ n/a ]"));
        }
        for (Tweak tweak : allTweaks) {
            showIndicator(statusRowIndicator(tweak), L"grey.Image");
        }
        toolStripStatusLabel.setText(L"unknown");
        if (trayIcon != nullptr) {
            trayIcon->setIcon(greyIcon.get());
        }
    }
    if (trayIcon != nullptr) {
        trayIcon->setText(toolStripStatusLabel.text());
    }
    moveShieldMarker();
    wlan_.freeMemory(const_cast<WLAN_INTERFACE_INFO_LIST*>(list));
}

} // namespace nimbrel
