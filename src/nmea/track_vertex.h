#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "nmea/fix_class.h"

namespace trackmint {

// One vertex of the valid track: where the epoch was, when, with what fix class and how many
// satellites. The document keeps one for every valid epoch for its track line, and the picture
// of the run draws the same ones, so it stays small: 24 bytes.
struct TrackVertex {
  static constexpr std::uint16_t kNoDay = std::numeric_limits<std::uint16_t>::max();
  static constexpr std::int32_t kNoTime = -1;

  double longitude = 0;  // decimal degrees, west negative
  double latitude = 0;   // decimal degrees, south negative
  // Milliseconds since midnight (a leap second reaches 86 400 999); kNoTime when the epoch has
  // no valid time.
  std::int32_t time_of_day_ms = kNoTime;
  // Days since 1970-01-01 by the receiver's own date, which the RMC parser writes for the years
  // 2000 to 2099; kNoDay without one.
  std::uint16_t day = kNoDay;
  std::uint8_t slot = 0;        // an IconSlot
  std::uint8_t satellites = 0;  // used in the fix, as GGA counts them

  bool operator==(const TrackVertex&) const = default;

  static constexpr std::uint8_t SlotByte(IconSlot slot) { return static_cast<std::uint8_t>(slot); }
  // A GGA count as the vertex keeps it: negative counts as none, more than 255 as 255.
  static constexpr std::uint8_t SatelliteByte(std::int32_t satellites) {
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(satellites, 0, 255));
  }
  // A day number as the vertex keeps it; one outside 1970 to 2149 counts as none.
  static constexpr std::uint16_t DayOf(std::int64_t days) {
    return days >= 0 && days < kNoDay ? static_cast<std::uint16_t>(days) : kNoDay;
  }

  bool HasDay() const { return day != kNoDay; }
  bool HasTime() const { return time_of_day_ms >= 0; }
};
static_assert(sizeof(TrackVertex) == 24, "a vertex a valid epoch, so kept small");

}  // namespace trackmint
