#include "kml/arrow_thinning.h"

namespace trackmint {

bool ArrowThinning::Keep(IconSlot icon, std::optional<std::int32_t> time_of_day_ms) {
  if (m_interval_ms == 0) return true;
  const std::optional<std::int32_t> slot =
      time_of_day_ms ? std::optional(*time_of_day_ms / m_interval_ms) : std::nullopt;
  const bool keep = !m_previous_icon || icon != *m_previous_icon || !slot || !m_last_kept_slot ||
                    *slot != *m_last_kept_slot;
  m_previous_icon = icon;
  if (keep) m_last_kept_slot = slot;
  return keep;
}

}  // namespace trackmint
