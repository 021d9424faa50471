// The two 2000 ms timers: the refresh timer, and the wait for a first connection at startup.
#include "app/Form1.h"

namespace nimbrel {

void Form1::startRefreshScheduling()
{
    // Autoconfig to be switched off but nothing connected yet: keep it on until a connection.
    if (checkBoxAutoConfig.checked() && !oneDeviceConnected) {
        timerWaitForConn->start();
    } else {
        timerEnumInterfaces->start();
    }
}

// A first add fails when the shell is not up yet, as at the start of a session.
void Form1::keepTrayIconPresent()
{
    if (trayIcon != nullptr && !trayIcon->shown()) {
        trayIcon->add();
    }
}

void Form1::timerEnumInterfaces_Tick(gui::Timer* /*sender*/, const EventArgs& /*e1*/)
{
    keepTrayIconPresent();
    EnumInterfaces();
    MinimizeMemoryUsage();
}

void Form1::timerWaitForConnection_Tick(gui::Timer* /*sender*/, const EventArgs& /*e1*/)
{
    keepTrayIconPresent();
    checkBoxAutoConfig.setEnabled(false);
    checkBoxAutoConfig.setChecked(false);
    EnumInterfaces();
    if (oneDeviceConnected) {
        if (adminRightsAvailable) {
            checkBoxAutoConfig.setEnabled(true);
        }
        loadSettings();
        timerEnumInterfaces->start();
        timerWaitForConn->stop();
    }
    MinimizeMemoryUsage();
}

} // namespace nimbrel
