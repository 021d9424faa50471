// Builds the window, its controls and its components.
#include "app/Form1.h"

#include "app/ControlIds.h"

namespace nimbrel {

namespace {

RECT at(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

} // namespace

void Form1::InitializeComponent()
{
    components = std::make_unique<gui::ComponentContainer>();
    createWindow();
    HWND window = handle();
    HFONT font = font8.get();

    comboBoxDeviceList.create(window, ids::comboBoxDeviceList, at(5, 5, 188, 20));
    comboBoxDeviceList.setFont(font7.get());

    labelAutoConf.create(window, ids::labelAutoConf, L"Autoconfig", POINT{8, 32});
    labelBackgroundScan.create(window, ids::labelBackgroundScan, L"Background scan", POINT{8, 48});
    labelStreamingMode.create(window, ids::labelStreamingMode, L"Streaming mode", POINT{8, 64});
    toolStripStatusLabel.create(window, ids::toolStripStatusLabel, L"unknown", POINT{8, 162});

    checkBoxAutorun.create(window, ids::checkBoxAutorun, L"Start with Windows", at(8, 84, 180, 15));
    checkBoxMinimize.create(window, ids::checkBoxMinimize, L"Start minimized to tray",
                            at(8, 99, 180, 15));
    checkBoxAutoConfig.create(window, ids::checkBoxAutoConfig, L"Disable autoconfig",
                              at(8, 114, 180, 15));
    checkBoxBackgroundScan.create(window, ids::checkBoxBackgroundScan, L"Disable background scan",
                                  at(8, 129, 180, 15));
    checkBoxStreamingMode.create(window, ids::checkBoxStreamingMode, L"Enable streaming mode",
                                 at(8, 144, 180, 15));
    buttonApply.create(window, ids::buttonApply, L"Save", at(140, 160, 52, 18));

    for (gui::Control* control :
         std::initializer_list<gui::Control*>{&checkBoxAutorun, &checkBoxMinimize,
                                               &checkBoxAutoConfig, &checkBoxBackgroundScan,
                                               &checkBoxStreamingMode, &buttonApply}) {
        control->setFont(font);
    }
    for (gui::Label* label : {&labelAutoConf, &labelBackgroundScan, &labelStreamingMode,
                              &toolStripStatusLabel}) {
        label->setFont(font);
    }

    trayMenu.reset(CreatePopupMenu());
    trayIcon = &components->add<gui::TrayIcon>(window, ids::trayIconId, ids::trayCallbackMessage,
                                               greyIcon.get(), L"Nimbrel");
    timerEnumInterfaces = &components->add<gui::Timer>(window, ids::timerEnumInterfacesId, 2000u);
    timerWaitForConn = &components->add<gui::Timer>(window, ids::timerWaitForConnId, 2000u);
}

} // namespace nimbrel
