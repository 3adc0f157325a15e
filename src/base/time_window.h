#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace trackmint {

// Times of a log in whole milliseconds, and the time window and arrow interval that pick out
// what a document shows.

inline constexpr std::int32_t kMillisecondsPerDay = 86'400'000;

// The time of day of a receiver's time text "hhmmss[.f...]" (hh at most 23, mm at most 59, ss at
// most 60) in milliseconds: the first three digits of the fraction count, padded with zeros, the
// rest are ignored. Nothing for any other text: the epoch has no valid time.
std::optional<std::int32_t> TimeOfDayMilliseconds(std::string_view time_text);

// One end of a time window: a time of day, or a date-time when it has a day (days since
// 1970-01-01).
struct TimeBound {
  std::optional<std::int64_t> day;
  std::int32_t time_of_day_ms = 0;
  bool operator==(const TimeBound&) const = default;
};

// A bound as the user writes it: a time of day "hh:mm[:ss[.fff]]" (UTC, as the receiver reports
// it) or a date-time "yyyy-mm-ddThh:mm[:ss[.fff]]" with an optional trailing "Z"; hh at most 23,
// mm at most 59, ss at most 60, one to three decimals. Nothing for any other text.
std::optional<TimeBound> ParseTimeBound(std::string_view text);

// The inclusive window between two bounds, either of which may be left out. A time-of-day bound is
// compared with an epoch's time of day, a date-time bound with its day and time of day; an epoch
// without a valid time is outside any window with a bound, and one without a receiver date is
// outside one with a date-time bound. Two time-of-day bounds with the first later than the second
// run across midnight.
struct TimeWindow {
  std::optional<TimeBound> from;
  std::optional<TimeBound> to;

  bool HasBound() const { return from || to; }
  bool Contains(std::optional<std::int64_t> day, std::optional<std::int32_t> time_of_day_ms) const;
  bool operator==(const TimeWindow&) const = default;
};

// The arrow interval as the user writes it: seconds from 0 to 86400 with at most three decimals
// ("10", "0.25"), in milliseconds. Nothing for any other text.
std::optional<std::int32_t> ParseArrowInterval(std::string_view text);

}  // namespace trackmint
