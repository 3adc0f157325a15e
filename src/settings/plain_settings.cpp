#include "settings/plain_settings.h"

namespace trackmint {

void PlainSettings::SetValues(const SettingValues& values) {
  m_values = values;
  m_fixed_date_enabled = values.use_fixed_date;
}

}  // namespace trackmint
