#pragma once

#include "settings/stored_settings.h"

namespace trackmint {

// Whether the settings differ from the last load, so that the close asks about saving: every
// stored setting the table counts at close, the date without regard to letter case and the rest
// exactly. The fix-class colours and the window's position do not count.
bool SettingsChanged(const SettingValues& current, const SettingValues& loaded);

}  // namespace trackmint
