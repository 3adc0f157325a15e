#pragma once

#include "settings/stored_settings.h"

namespace trackmint {

// The controls that hold the stored settings, as loading and saving see them. The window
// implements this over its widgets; PlainSettingsControls holds plain values for the batch mode
// and the tests.
class SettingsControls {
 public:
  virtual ~SettingsControls() = default;

  // Every stored setting as the controls hold it now.
  virtual SettingValues Values() const = 0;
  // Sets every stored setting in the order of a load: a check box whose state changes fires its
  // click, the date field ends enabled exactly when the fixed date is used, and the track
  // colour stays usable. A control may bring a text into its own form (the date field keeps the
  // last calendar date); Values() then gives the result.
  virtual void SetValues(const SettingValues& values) = 0;
};

}  // namespace trackmint
