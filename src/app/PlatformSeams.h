#pragma once

#include "wlan/WlanApi.h"

namespace nimbrel {

// The parts of the platform that tests steer, handed to Form1 when it is built.
struct PlatformSeams {
    WlanApi* wlan = &systemWlanApi();
};

} // namespace nimbrel
