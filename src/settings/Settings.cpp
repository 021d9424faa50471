// The user's saved choices.
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

} // namespace nimbrel
