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

void PlainSettingsControls::UpdateTrackColorEnabled() {
  m_label3_enabled = m_check_box2;
  m_shape_full_track_enabled = m_check_box2;
}

void PlainSettingsControls::CheckBox1Click() {
  m_mask_edit1_enabled = m_check_box1;
}

void PlainSettingsControls::CheckBox2Click() {
  UpdateTrackColorEnabled();
}

}  // namespace trackmint
