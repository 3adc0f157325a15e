#pragma once

#include "settings/settings_controls.h"
#include "settings/stored_settings.h"

namespace trackmint {

// Whether the settings differ from the last load, so that the close asks about saving: the date
// text without regard to letter case, every other stored setting exactly. The fix-class colours
// and the window's position do not count.
bool SettingsChanged(const SettingsControls& controls, const LoadedSettings& loaded);

}  // namespace trackmint
