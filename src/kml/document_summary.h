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
  // Whether the run had a time window and an arrow interval.
  bool time_window = false;
  bool arrow_interval = false;
  std::uint64_t epochs = 0;                 // every epoch of the log
  std::uint64_t epochs_outside_window = 0;  // left out by the time window
  std::int32_t placemarks_thinned = 0;      // epochs with a fix the arrow interval left out
  std::int32_t placemarks = 0;
  // Placemarks by the icon they show; the Invalid slot is never used, Grey is "other".
  std::array<std::int32_t, kIconSlotCount> placemarks_by_class{};
  std::optional<PlacemarkTime> first;
  std::optional<PlacemarkTime> last;
  double track_metres = 0;   // along the valid track, great circle by great circle
  double max_speed_kmh = 0;  // the highest speed over ground among the placemarks
  // The placemarks whose receiver date the fixed date replaced with another date, and the
  // earliest and the latest of those receiver dates.
  std::int32_t receiver_dates_replaced = 0;
  std::string first_replaced_date;
  std::string last_replaced_date;

  // Seconds from the first placemark to the last, when both have a date from the receiver and
  // a time of day; nothing otherwise.
  std::optional<double> DurationSeconds() const;

  bool operator==(const DocumentSummary&) const = default;
};

// The span of the placemarks as a person reads it, with the dates the receiver reported and the
// duration: "2020-03-18 12:00:00 to 2020-03-18 12:00:05 (0:00:05)"; "no placemark" without any.
std::string SpanText(const DocumentSummary& summary);

// A duration as hours, minutes and seconds ("1:02:03.5"), the seconds with the decimals given.
std::string DurationText(double seconds, int decimals);

}  // namespace trackmint
