// The refresh pass: probe every adapter's three tweaks and write back those that differ.
#include "app/Form1.h"

#include "wlan/ServiceErrors.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace nimbrel {

namespace {

constexpr DWORD clientVersion = 2;

std::span<const WLAN_INTERFACE_INFO> adaptersOf(const WLAN_INTERFACE_INFO_LIST* list)
{
    if (list == nullptr) {
        return {};
    }
    return {list->InterfaceInfo, list->dwNumberOfItems};
}

std::wstring descriptionOf(const WLAN_INTERFACE_INFO& adapter)
{
    // The service's text need not end in a NUL within its 256 code units.
    const wchar_t* text = adapter.strInterfaceDescription;
    return std::wstring(text, wcsnlen(text, std::size(adapter.strInterfaceDescription)));
}

} // namespace

void Form1::EnumInterfaces()
{
    // The list is built aside and shown at the end: every pass rebuilds it, but the control
    // changes only when the adapters do. Nothing can look at it in between.
    std::vector<std::wstring> deviceList;
    const auto showDeviceList = [&] { comboBoxDeviceList.setItems(deviceList); };

    // A client handle is opened whenever none is held: at autostart the service is often not
    // running yet, and a restarted service leaves the old handle dead.
    if (hClient == nullptr) {
        refresh = false;
        DWORD negotiatedVersion = 0;
        error = wlan_.openHandle(clientVersion, nullptr, &negotiatedVersion, &hClient);
        if (error != 0) {
            hClient = nullptr;
        }
    }
    if (hClient == nullptr) {
        showDeviceList();
        return;
    }

    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    error = wlan_.enumInterfaces(hClient, nullptr, &list);
    if (error != 0) {
        if (meansClientHandleIsDead(error)) {
            closeDeadClientHandle();
        }
        showDeviceList();
        return;
    }

    oneDeviceConnected = false;
    for (const WLAN_INTERFACE_INFO& adapter : adaptersOf(list)) {
        if (adapter.isState == wlan_interface_state_connected) {
            oneDeviceConnected = true;
        }
        std::wstring description = descriptionOf(adapter);
        if (std::find(deviceList.begin(), deviceList.end(), description) == deviceList.end()) {
            deviceList.push_back(std::move(description));
        }
        queryAutoConfig(hClient, adapter.InterfaceGuid, 0, nullptr);
        queryBackgroundScan(hClient, adapter.InterfaceGuid, 0, nullptr);
        queryStreamingMode(hClient, adapter.InterfaceGuid, 0, nullptr);
        for (Tweak tweak : allTweaks) {
            enforce(tweak, hClient, adapter.InterfaceGuid);
        }
        if (trayIcon != nullptr) {
            trayIcon->setIcon(oneDeviceConnected ? blueIcon.get() : greyIcon.get());
        }
    }

    showDeviceList();
    showStatusOf(list);
}

void Form1::closeDeadClientHandle()
{
    // Closing frees the client side; the service side is gone already, so the result says nothing.
    wlan_.closeHandle(hClient, nullptr);
    hClient = nullptr;
}

int& Form1::storedValue(Tweak tweak)
{
    switch (tweak) {
    case Tweak::autoConfig:
        return autoConfigEnabled;
    case Tweak::backgroundScan:
        return backgroundScanEnabled;
    case Tweak::streamingMode:
        break;
    }
    return streamingModeEnabled;
}

bool Form1::choiceChecked(Tweak tweak) const
{
    switch (tweak) {
    case Tweak::autoConfig:
        return checkBoxAutoConfig.checked();
    case Tweak::backgroundScan:
        return checkBoxBackgroundScan.checked();
    case Tweak::streamingMode:
        break;
    }
    return checkBoxStreamingMode.checked();
}

int Form1::probe(Tweak tweak, HANDLE client, GUID guid, DWORD outsize, int* pb)
{
    int& stored = storedValue(tweak);
    PVOID buffer = pb;
    const DWORD result = wlan_.queryInterface(client, &guid, traitsOf(tweak).opcode, nullptr,
                                              &outsize, &buffer, nullptr);
    bool readable = false;
    if (result != 0) {
        stored = UNKNOWN;
    } else {
        // A success without a buffer, or with less than the 32-bit value, is read as a failure.
        readable = buffer != nullptr && outsize >= sizeof(DWORD);
        if (readable) {
            DWORD value = 0;
            std::memcpy(&value, buffer, sizeof(value));
            stored = static_cast<int>(value & 0xFF);
        } else {
            stored = UNKNOWN;
        }
        if (buffer != nullptr) {
            wlan_.freeMemory(buffer);
        }
    }
    showStatusRow(tweak, !readable);
    return stored;
}

int Form1::queryAutoConfig(HANDLE hClient, GUID guid, DWORD outsize, int* pb)
{
    return probe(Tweak::autoConfig, hClient, guid, outsize, pb);
}

int Form1::queryBackgroundScan(HANDLE hClient, GUID guid, DWORD outsize, int* pb)
{
    return probe(Tweak::backgroundScan, hClient, guid, outsize, pb);
}

int Form1::queryStreamingMode(HANDLE hClient, GUID guid, DWORD outsize, int* pb)
{
    return probe(Tweak::streamingMode, hClient, guid, outsize, pb);
}

void Form1::setTweak(Tweak tweak, int newState, HANDLE client, GUID guid)
{
    wlan_.setInterface(client, &guid, traitsOf(tweak).opcode, sizeof(newState), &newState,
                       nullptr);
}

void Form1::setAutoConfigTo(int newState, HANDLE hClient, GUID guid)
{
    setTweak(Tweak::autoConfig, newState, hClient, guid);
}

void Form1::setBackgroundScanTo(int newState, HANDLE hClient, GUID guid)
{
    setTweak(Tweak::backgroundScan, newState, hClient, guid);
}

void Form1::setStreamingModeTo(int newState, HANDLE hClient, GUID guid)
{
    setTweak(Tweak::streamingMode, newState, hClient, guid);
}

void Form1::enforce(Tweak tweak, HANDLE client, GUID guid)
{
    const bool checked = choiceChecked(tweak);
    const int target = (checked == traitsOf(tweak).checkedMeansOn) ? ON : OFF;
    const int stored = storedValue(tweak);
    // Unreadable counts as "not off": it is written when the target is off, never when on.
    if (target == OFF && stored != 0) {
        setTweak(tweak, 0, client, guid);
    } else if (target == ON && stored == 0) {
        setTweak(tweak, 1, client, guid);
    } else {
        return;
    }
    probe(tweak, client, guid, 0, nullptr);
}

} // namespace nimbrel
