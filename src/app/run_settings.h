#pragma once

#include <functional>

#include "base/window_colour.h"
#include "kml/conversion_settings.h"
#include "nmea/fix_class.h"
#include "settings/stored_settings.h"

namespace trackmint {

// Gives the plain RGB value of a window colour: a system colour becomes the desktop's current one
// (the window asks its palette, the batch mode takes the classic values); a plain one stays.
using ColourResolver = std::function<WindowColour(WindowColour)>;

// The settings a conversion takes from the stored settings and the fix classes' colours, with
// every colour resolved.
ConversionSettings SettingsForRun(const SettingValues& values, const ClassColours& class_colours,
                                  const ColourResolver& resolve);

}  // namespace trackmint
