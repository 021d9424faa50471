#pragma once

#include <windows.h>
#include <wlanapi.h>

#include <array>
#include <string_view>

namespace nimbrel {

// The three adapter settings the program keeps as the user chose them.
enum class Tweak { autoConfig, backgroundScan, streamingMode };

constexpr std::array<Tweak, 3> allTweaks{Tweak::autoConfig, Tweak::backgroundScan,
                                         Tweak::streamingMode};

struct TweakTraits {
    WLAN_INTF_OPCODE opcode;
    std::wstring_view rowName;
    // Autoconfig and background scan are switched off by their "Disable" boxes; streaming
    // mode is switched on by its "Enable" box.
    bool checkedMeansOn;
};

constexpr TweakTraits traitsOf(Tweak tweak)
{
    switch (tweak) {
    case Tweak::autoConfig:
        return {wlan_intf_opcode_autoconf_enabled, L"Autoconfig", false};
    case Tweak::backgroundScan:
        return {wlan_intf_opcode_background_scan_enabled, L"Background scan", false};
    case Tweak::streamingMode:
        break;
    }
    return {wlan_intf_opcode_media_streaming_mode, L"Streaming mode", true};
}

static_assert(traitsOf(Tweak::autoConfig).opcode == 1);
static_assert(traitsOf(Tweak::backgroundScan).opcode == 2);
static_assert(traitsOf(Tweak::streamingMode).opcode == 3);

} // namespace nimbrel
