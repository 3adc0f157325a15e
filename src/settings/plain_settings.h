#pragma once

#include <string>

#include "settings/settings_controls.h"

namespace trackmint {

// The setting controls as plain values, starting with the window's design values: the batch
// mode's settings and the tests' stand-in for the window. Texts are kept as given.
class PlainSettingsControls : public SettingsControls {
 public:
  SettingValues Values() const override { return m_values; }
  void SetValues(const SettingValues& values) override;

  // The enabled state that the settings steer: as designed the date field is disabled until the
  // start-up load sets it.
  bool FixedDateEnabled() const { return m_fixed_date_enabled; }

 private:
  SettingValues m_values;
  bool m_fixed_date_enabled = false;
};

}  // namespace trackmint
