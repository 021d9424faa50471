#pragma once

// Stable ids of the window's controls, so that tests and tools can find them.
namespace nimbrel::ids {

enum : int {
    comboBoxDeviceList = 1001,
    labelAutoConf = 1011,
    labelBackgroundScan = 1012,
    labelStreamingMode = 1013,
    toolStripStatusLabel = 1014,
    checkBoxAutorun = 1021,
    checkBoxMinimize = 1022,
    checkBoxAutoConfig = 1023,
    checkBoxBackgroundScan = 1024,
    checkBoxStreamingMode = 1025,
    buttonApply = 1026,
};

// The tray icon's id in the notification area, and its callback message.
constexpr unsigned trayIconId = 1;
constexpr unsigned trayCallbackMessage = 0x8000 + 1; // WM_APP + 1

constexpr unsigned timerEnumInterfacesId = 1;
constexpr unsigned timerWaitForConnId = 2;

} // namespace nimbrel::ids
