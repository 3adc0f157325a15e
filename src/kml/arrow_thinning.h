#pragma once

#include <cstdint>
#include <optional>

#include "nmea/fix_class.h"

namespace trackmint {

// Which of the epochs selected for a placemark get one when the arrows are thinned to one a slot:
// an epoch's slot is its time of day divided by the interval, rounded down, so that arrows fall on
// round times. Kept are the first selected epoch, each whose icon differs from the icon of the
// selected epoch before it (kept or not), so that every change of fix class shows, each without a
// valid time, and each whose slot differs from the slot of the last one kept (one kept without a
// valid time has no slot, so the next one with a time is kept). An interval of 0 keeps every one.
class ArrowThinning {
 public:
  explicit ArrowThinning(std::int32_t interval_ms) : m_interval_ms(interval_ms) {}

  // Called once for each selected epoch, in log order.
  bool Keep(IconSlot icon, std::optional<std::int32_t> time_of_day_ms);

 private:
  std::int32_t m_interval_ms;
  std::optional<IconSlot> m_previous_icon;
  std::optional<std::int32_t> m_last_kept_slot;
};

}  // namespace trackmint
