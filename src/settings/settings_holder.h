#pragma once

#include "settings/stored_settings.h"

namespace trackmint {

// Whatever holds the stored settings, as loading and saving see it: the window over its widgets,
// PlainSettings over plain values for the batch mode and the tests.
class SettingsHolder {
 public:
  virtual ~SettingsHolder() = default;

  // Every stored setting as it is held now.
  virtual SettingValues Values() const = 0;
  // Sets every stored setting in the order of a load: a fixed date that is switched on or off
  // takes the date's field along. A holder may bring a text into its own form (the window's date
  // field keeps the last calendar date); Values() then gives the result.
  virtual void SetValues(const SettingValues& values) = 0;
};

}  // namespace trackmint
