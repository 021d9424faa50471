#pragma once

// Stable ids of the window's controls, so that tests and tools can find them.
namespace nimbrel::ids {

enum : int {
    tabControl = 1000,
    tabPageStatus = 1001,
    tabPageSettings = 1002,
    tabPageAbout = 1003,

    groupBoxDeviceList = 1010,
    comboBoxDeviceList = 1011,
    groupBoxActiveTweaks = 1012,
    pictureBoxAutoConfig = 1013,
    labelAutoConf = 1014,
    pictureBoxBackgroundScan = 1015,
    labelBackgroundScan = 1016,
    pictureBoxStreamingMode = 1017,
    labelStreamingMode = 1018,
    pictureBoxUAC2 = 1019,
    statusStrip = 1020,

    groupBoxStartupSettings = 1030,
    checkBoxAutorun = 1031,
    checkBoxMinimize = 1032,
    groupBoxTweaks = 1033,
    checkBoxAutoConfig = 1034,
    checkBoxBackgroundScan = 1035,
    checkBoxStreamingMode = 1036,
    pictureBoxUAC = 1037,
    buttonApply = 1038,

    groupBoxVersionInfo = 1050,
    labelVersion = 1051,
    labelFeedback = 1052,
    labelCopyright = 1053,
    pictureBox1 = 1054,
    buttonDonate = 1055,
    pictureBoxPayPal = 1056,

    menuItemShow = 1100,
    menuItemQuit = 1101,
};

// The tray icon's id in the notification area, and its callback message (WM_APP + 1).
constexpr unsigned trayIconId = 1;
constexpr unsigned trayCallbackMessage = 0x8000 + 1;

constexpr unsigned timerEnumInterfacesId = 1;
constexpr unsigned timerWaitForConnId = 2;

} // namespace nimbrel::ids
