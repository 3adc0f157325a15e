#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"

namespace trackmint {

// "yyyy-mm-dd" as printf's "%04d-%02d-%02d" writes the numbers, whatever they are.
std::string DateText(int year, int month, int day);

// Today's date by the user's clock, "yyyy-mm-dd".
std::string ClockDateText(const Clock& clock);

// Whether a text is a date of the Gregorian calendar written "yyyy-mm-dd": four digits of a year
// from 0001 to 9999, two of a month, two of a day that the month has (29 February only in leap
// years), nothing before or after.
bool IsCalendarDate(std::string_view text);

// The days from 1970-01-01 to a date of the Gregorian calendar (negative before it).
std::int64_t DaysSinceEpoch(int year, int month, int day);

// The days since 1970-01-01 of a calendar date "yyyy-mm-dd" (IsCalendarDate); nothing otherwise.
std::optional<std::int64_t> DayNumber(std::string_view date_text);

// The date "yyyy-mm-dd" that many days after a calendar date (before it, for a negative count);
// a text that is no calendar date, or a result outside the years 1 to 9999, stays as it is.
std::string DateAfter(std::string_view date_text, std::int64_t days);

// A time of day as the receivers write it, "hhmmss" or "hhmmss.f..." with at least one digit
// after the point, hh at most 23, mm at most 59 and ss at most 60 (a leap second).
struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  std::string_view fraction;  // the digits after the point, as received; empty without
  double Seconds() const;     // since midnight
};
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

}  // namespace trackmint
