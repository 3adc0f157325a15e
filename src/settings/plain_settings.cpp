#include "settings/plain_settings_controls.h"

namespace trackmint {

void PlainSettingsControls::SetValues(const SettingValues& values) {
  m_values = values;
  m_fixed_date_enabled = values.use_fixed_date;
}

}  // namespace trackmint
