#pragma once

#include <string>

#include "settings/settings_holder.h"

namespace trackmint {

// The stored settings as plain values, starting with the window's design values: the batch mode's
// settings and the tests' stand-in for the window. Texts are kept as given.
class PlainSettings : public SettingsHolder {
 public:
  SettingValues Values() const override { return m_values; }
  void SetValues(const SettingValues& values) override;

  // Whether the window's date field would be enabled: as designed it is not until the start-up
  // load sets it, then exactly when the fixed date is used.
  bool FixedDateEnabled() const { return m_fixed_date_enabled; }

 private:
  SettingValues m_values;
  bool m_fixed_date_enabled = false;
};

}  // namespace trackmint
