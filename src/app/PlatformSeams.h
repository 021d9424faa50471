#pragma once

#include "platform/InputLanguage.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessMemory.h"
#include "platform/Security.h"
#include "platform/Shell.h"
#include "wlan/WlanApi.h"

namespace nimbrel {

// The parts of the platform that tests steer, handed to Form1 when it is built.
struct PlatformSeams {
    WlanApi* wlan = &systemWlanApi();
    Shell* shell = &systemShell();
    InputLanguage* inputLanguage = &systemInputLanguage();
    MessageBoxes* messageBoxes = &systemMessageBoxes();
    Security* security = &systemSecurity();
    ProcessMemory* processMemory = &systemProcessMemory();
};

} // namespace nimbrel
