#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "nmea/fix_class.h"

namespace trackmint {

// The time of a placemark as the log gave it: the receiver's own date (yyyy-mm-dd, empty when
// the epoch had none from the receiver, whatever date the placemark shows) and the time text.
struct PlacemarkTime {
  std::string date;
  std::string time;
  bool operator==(const PlacemarkTime&) const = default;
};

// What a document holds, counted while it is written: the first thing a user asks of a log.
struct DocumentSummary {
  std::uint64_t epochs = 0;
  std::int32_t placemarks = 0;
  // Placemarks by the icon they show; the Invalid slot is never used, Grey is "other".
  std::array<std::int32_t, kIconSlotCount> placemarks_by_class{};
  std::optional<PlacemarkTime> first;
  std::optional<PlacemarkTime> last;
  double track_metres = 0;   // along the valid track, great circle by great circle
  double max_speed_kmh = 0;  // the highest speed over ground among the placemarks

  // Seconds from the first placemark to the last, when both have a date from the receiver and
  // a time of day; nothing otherwise.
  std::optional<double> DurationSeconds() const;

  bool operator==(const DocumentSummary&) const = default;
};

}  // namespace trackmint
