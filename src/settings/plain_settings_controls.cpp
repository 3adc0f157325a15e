#include "settings/plain_settings_controls.h"

namespace trackmint {

void PlainSettingsControls::SetCheckBox1(bool checked) {
  if (checked == m_check_box1) return;
  m_check_box1 = checked;
  CheckBox1Click();
}

void PlainSettingsControls::SetCheckBox2(bool checked) {
  if (checked == m_check_box2) return;
  m_check_box2 = checked;
  CheckBox2Click();
}

// The valid track is always written in the track colour, so its swatch stays usable whatever
// the hidden "use all the waypoints" box holds.
void PlainSettingsControls::UpdateTrackColorEnabled() {
  m_label3_enabled = true;
  m_shape_full_track_enabled = true;
}

void PlainSettingsControls::CheckBox1Click() {
  m_mask_edit1_enabled = m_check_box1;
}

void PlainSettingsControls::CheckBox2Click() {
  UpdateTrackColorEnabled();
}

}  // namespace trackmint
