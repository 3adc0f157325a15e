#pragma once

#include "app/run_settings.h"
#include "base/classic_system_colours.h"
#include "nmea/fix_class.h"
#include "settings/stored_settings.h"

namespace trackmint {

// The settings of the window as it opens, before any load, for the tools, the benchmarks, the
// fuzzer and the tests.
inline ConversionSettings DesignSettings() {
  return SettingsForRun(SettingValues{}, DesignClassColours(), ClassicSystemColour);
}

}  // namespace trackmint
