#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <limits>
#include <string>

#include "nmea/fix_class.h"

namespace trackmint {

// One vertex of the valid track as the picture needs it. A run keeps one for every valid epoch,
// so it stays small: 32 bytes.
struct PictureVertex {
  static constexpr std::int32_t kNoDay = std::numeric_limits<std::int32_t>::min();
  static constexpr std::int32_t kNoTime = -1;

  double longitude = 0;  // decimal degrees, west negative
  double latitude = 0;   // decimal degrees, south negative
  // Days since 1970-01-01 by the receiver's own date; kNoDay without one.
  std::int32_t day = kNoDay;
  // Milliseconds since midnight (a leap second reaches 86 400 999); kNoTime when the epoch has
  // no valid time.
  std::int32_t time_of_day_ms = kNoTime;
  std::uint8_t slot = 0;        // an IconSlot
  std::uint8_t satellites = 0;  // used in the fix, as GGA counts them

  bool operator==(const PictureVertex&) const = default;

  static constexpr std::uint8_t SlotByte(IconSlot slot) { return static_cast<std::uint8_t>(slot); }
  // A GGA count as the vertex keeps it: negative counts as none, more than 255 as 255.
  static constexpr std::uint8_t SatelliteByte(std::int32_t satellites) {
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(satellites, 0, 255));
  }
  bool HasDay() const { return day != kNoDay; }
  bool HasTime() const { return time_of_day_ms >= 0; }
};

static_assert(sizeof(PictureVertex) == 32, "a vertex a valid epoch, so kept small");

// What the picture of a run shows, filled by the run as it reads the log.
struct RunPicture {
  // The valid track in log order. A deque grows by blocks, so a long log never copies it or
  // needs twice its memory.
  std::deque<PictureVertex> vertices;
  // The colours of the fix classes as the user set them, plain RGB (0x00BBGGRR); the grey icon
  // is always kGreyIconColour.
  ClassColours class_colours = DesignClassColours();
  // The placemarks by class and their total, as the summary of the run counts them.
  std::array<std::int32_t, kIconSlotCount> placemarks_by_class{};
  std::int32_t placemarks = 0;
  // The line at the top, ready to show: the input, span, duration and length.
  std::string title;
  // The input's name, for the picture of a log without a usable fix.
  std::string input_name;
};

}  // namespace trackmint
