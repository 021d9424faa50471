// The user's saved choices and the Save button.
#include "app/Form1.h"

namespace nimbrel {

// Until the choices are kept in the registry, every box takes the default a first start gets:
// only "Disable background scan" is checked.
void Form1::loadSettings()
{
    checkBoxAutoConfig.setChecked(false);
    checkBoxBackgroundScan.setChecked(true);
    checkBoxStreamingMode.setChecked(false);
    checkBoxMinimize.setChecked(false);
    checkBoxAutorun.setChecked(false);
}

// Filled in with the registry: writes the choices and the autostart entry.
void Form1::saveSettings() {}

void Form1::buttonApply_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    saveSettings();
    EnumInterfaces();
    buttonApply.setEnabled(false);
}

// Any change of any of the five boxes, whoever makes it, makes Save available again.
void Form1::checkBox_Changed(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    buttonApply.setEnabled(true);
}

} // namespace nimbrel
