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

  bool UseFixedDate() const override { return m_values.use_fixed_date; }
  std::string FixedDateText() const override { return m_values.fixed_date_text; }
  WindowColour TrackColour() const override { return m_values.track_colour; }
  std::string TrackWidthText() const override { return m_values.track_width_text; }
  bool UseAllWaypoints() const override { return m_values.use_all_waypoints; }
  bool ShowHeight() const override { return m_values.show_height; }
  std::string IconScaleText() const override { return m_values.icon_scale_text; }

  // The enabled states that the settings steer. As designed the date field is disabled until
  // the start-up load sets it; the track colour is always usable.
  bool FixedDateEnabled() const { return m_fixed_date_enabled; }
  bool TrackColourEnabled() const { return true; }

 private:
  SettingValues m_values;
  bool m_fixed_date_enabled = false;
};

}  // namespace trackmint
