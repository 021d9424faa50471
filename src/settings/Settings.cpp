// The user's five choices, kept per user in the registry, and the Save button.
#include "app/Form1.h"

#include "settings/RegistryValues.h"

namespace nimbrel {

namespace {

constexpr wchar_t settingsKey[] = L"Software\\Nimbrel .NET";

UniqueKey openOrCreateSettingsKey()
{
    UniqueKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settingsKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

} // namespace

void Form1::loadSettings()
{
    struct Saved {
        const wchar_t* name;
        gui::CheckBox& box;
        bool byDefault;
    };
    const Saved values[] = {
        {L"AutoConfigDisabled", checkBoxAutoConfig, false},
        {L"BackgroundScanEnabled", checkBoxBackgroundScan, true},
        {L"StreamingModeEnabled", checkBoxStreamingMode, false},
        {L"MinimizeToTray", checkBoxMinimize, false},
        {L"Autorun", checkBoxAutorun, false},
    };
    // A key that cannot be opened or created leaves every box at its default; the program runs on.
    const UniqueKey key = openOrCreateSettingsKey();
    for (const Saved& value : values) {
        const std::optional<bool> saved = key ? readChoice(key.get(), value.name) : std::nullopt;
        value.box.setChecked(saved.value_or(value.byDefault));
    }
}

bool Form1::saveSettings()
{
    const UniqueKey key = openOrCreateSettingsKey();
    bool written = static_cast<bool>(key);
    if (written && adminRightsAvailable) {
        written = writeChoice(key.get(), L"AutoConfigDisabled", checkBoxAutoConfig.checked());
    }
    written = written &&
              writeChoice(key.get(), L"BackgroundScanEnabled", checkBoxBackgroundScan.checked()) &&
              writeChoice(key.get(), L"StreamingModeEnabled", checkBoxStreamingMode.checked()) &&
              writeChoice(key.get(), L"MinimizeToTray", checkBoxMinimize.checked()) &&
              writeChoice(key.get(), L"Autorun", checkBoxAutorun.checked());
    if (!written) {
        // Saying nothing would report the failure as success.
        messageBoxes_.show(handle(), L"Unable to save settings.", L"Error", MB_OK | MB_ICONWARNING);
        return false;
    }
    writeAutostartEntry();
    return true;
}

void Form1::buttonApply_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    if (!saveSettings()) {
        return; // Save stays enabled, so the user can try again
    }
    EnumInterfaces();
    buttonApply.setEnabled(false);
}

// Any change of any of the five boxes, whoever makes it, makes Save available again.
void Form1::checkBox_Changed(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    buttonApply.setEnabled(true);
}

} // namespace nimbrel
