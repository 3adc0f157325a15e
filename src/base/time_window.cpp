#include "base/time_window.h"

#include <string>

#include "base/calendar_date.h"

namespace trackmint {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number of the digits of text, which must all be digits; nothing otherwise or when empty.
std::optional<std::int64_t> DigitsValue(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// One to three decimals after a point, as milliseconds.
std::optional<std::int32_t> Milliseconds(std::string_view decimals) {
  if (decimals.empty() || decimals.size() > 3) return std::nullopt;
  const std::optional<std::int64_t> value = DigitsValue(decimals);
  if (!value) return std::nullopt;
  std::int64_t milliseconds = *value;
  for (std::size_t i = decimals.size(); i < 3; ++i) milliseconds *= 10;
  return static_cast<std::int32_t>(milliseconds);
}

// "hh:mm[:ss[.fff]]".
std::optional<std::int32_t> ClockTime(std::string_view text) {
  if (text.size() < 5 || text[2] != ':') return std::nullopt;
  const std::optional<std::int64_t> hours = DigitsValue(text.substr(0, 2));
  const std::optional<std::int64_t> minutes = DigitsValue(text.substr(3, 2));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  std::int64_t milliseconds = (*hours * 60 + *minutes) * 60'000;
  text.remove_prefix(5);
  if (text.empty()) return static_cast<std::int32_t>(milliseconds);
  if (text.size() < 3 || text[0] != ':') return std::nullopt;
  const std::optional<std::int64_t> seconds = DigitsValue(text.substr(1, 2));
  if (!seconds || *seconds > 60) return std::nullopt;
  milliseconds += *seconds * 1000;
  text.remove_prefix(3);
  if (text.empty()) return static_cast<std::int32_t>(milliseconds);
  if (text[0] != '.') return std::nullopt;
  const std::optional<std::int32_t> fraction = Milliseconds(text.substr(1));
  if (!fraction) return std::nullopt;
  return static_cast<std::int32_t>(milliseconds + *fraction);
}

// Days and time as one number, for a date-time bound.
std::int64_t Instant(std::int64_t day, std::int32_t time_of_day_ms) {
  return day * kMillisecondsPerDay + time_of_day_ms;
}

// Whether an epoch is on the right side of one bound; lower says which side counts.
bool Meets(const TimeBound& bound, std::optional<std::int64_t> day, std::int32_t time_of_day_ms,
           bool lower) {
  if (bound.day) {
    if (!day) return false;
    const std::int64_t epoch = Instant(*day, time_of_day_ms);
    const std::int64_t limit = Instant(*bound.day, bound.time_of_day_ms);
    return lower ? epoch >= limit : epoch <= limit;
  }
  return lower ? time_of_day_ms >= bound.time_of_day_ms : time_of_day_ms <= bound.time_of_day_ms;
}

}  // namespace

std::optional<std::int32_t> TimeOfDayMilliseconds(std::string_view time_text) {
  const std::optional<TimeOfDay> time = ParseTimeOfDay(time_text);
  if (!time) return std::nullopt;
  std::int32_t milliseconds = ((time->hour * 60 + time->minute) * 60 + time->second) * 1000;
  std::int32_t unit = 100;
  for (std::size_t i = 0; i < time->fraction.size() && unit > 0; ++i, unit /= 10) {
    milliseconds += (time->fraction[i] - '0') * unit;
  }
  return milliseconds;
}

std::optional<TimeBound> ParseTimeBound(std::string_view text) {
  TimeBound bound;
  const std::size_t t = text.find('T');
  if (t != std::string_view::npos) {
    const std::string_view date = text.substr(0, t);
    if (!IsCalendarDate(date)) return std::nullopt;
    bound.day = DaysSinceEpoch(static_cast<int>(*DigitsValue(date.substr(0, 4))),
                               static_cast<int>(*DigitsValue(date.substr(5, 2))),
                               static_cast<int>(*DigitsValue(date.substr(8, 2))));
    text.remove_prefix(t + 1);
    if (text.ends_with('Z')) text.remove_suffix(1);
  }
  const std::optional<std::int32_t> time = ClockTime(text);
  if (!time) return std::nullopt;
  bound.time_of_day_ms = *time;
  return bound;
}

bool TimeWindow::Contains(std::optional<std::int64_t> day,
                          std::optional<std::int32_t> time_of_day_ms) const {
  if (!HasBound()) return true;
  if (!time_of_day_ms) return false;
  const bool across_midnight =
      from && to && !from->day && !to->day && from->time_of_day_ms > to->time_of_day_ms;
  if (across_midnight) {
    return *time_of_day_ms >= from->time_of_day_ms || *time_of_day_ms <= to->time_of_day_ms;
  }
  return (!from || Meets(*from, day, *time_of_day_ms, true)) &&
         (!to || Meets(*to, day, *time_of_day_ms, false));
}

std::optional<std::int32_t> ParseArrowInterval(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::optional<std::int64_t> seconds = DigitsValue(text.substr(0, point));
  if (!seconds) return std::nullopt;
  std::int64_t milliseconds = *seconds * 1000;
  if (point != std::string_view::npos) {
    const std::optional<std::int32_t> fraction = Milliseconds(text.substr(point + 1));
    if (!fraction) return std::nullopt;
    milliseconds += *fraction;
  }
  if (milliseconds > kMillisecondsPerDay) return std::nullopt;
  return static_cast<std::int32_t>(milliseconds);
}

}  // namespace trackmint
