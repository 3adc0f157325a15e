#include "picture/time_labels.h"

#include <array>
#include <cmath>

#include "base/calendar_date.h"
#include "base/number_format.h"
#include "picture/round_numbers.h"
#include "picture/track_steps.h"

namespace trackmint {
namespace {

constexpr double kMaxTicks = 6;
constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::array<std::int64_t, 20> kTimeSteps = {
    100,          200,          500,       kSecond,     2 * kSecond, 5 * kSecond,  10 * kSecond,
    15 * kSecond, 30 * kSecond, kMinute,   2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute,
    30 * kMinute, kHour,        2 * kHour, 3 * kHour,   6 * kHour,   12 * kHour};

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// The date of a day counted from 1970-01-01 (negative before), in the Gregorian calendar.
std::string DayText(std::int64_t day) {
  const std::int64_t shifted = day + 719468;  // from 0000-03-01
  const std::int64_t era = FloorDivide(shifted, 146097);
  const std::int64_t of_era = shifted - era * 146097;
  const std::int64_t year_of_era =
      (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  const std::int64_t day_of_year =
      of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;  // from March
  const int day_of_month = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  const int month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  const auto year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return DateText(year, month, day_of_month);
}

enum class ClockPrecision { Tenths, Seconds, Minutes };

// The time of day of a moment, cut (not rounded) to the precision, as a clock shows it.
std::string ClockText(std::int64_t moment, ClockPrecision precision) {
  const std::int64_t of_day =
      moment - FloorDivide(moment, kMillisecondsPerDay) * kMillisecondsPerDay;
  std::string text;
  AppendZeroPadded(text, of_day / kHour, 2);
  text += ':';
  AppendZeroPadded(text, of_day / kMinute % 60, 2);
  if (precision == ClockPrecision::Minutes) return text;
  text += ':';
  AppendZeroPadded(text, of_day / kSecond % 60, 2);
  if (precision == ClockPrecision::Seconds) return text;
  text += '.';
  AppendDecimal(text, of_day / 100 % 10);
  return text;
}

std::int64_t TimeStep(double span) {
  for (const std::int64_t step : kTimeSteps) {
    if (span / static_cast<double>(step) <= kMaxTicks) return step;
  }
  const double days = RoundLengthAtLeast(std::max(1.0, span / kMaxTicks / kMillisecondsPerDay));
  return static_cast<std::int64_t>(days) * kMillisecondsPerDay;
}

}  // namespace

EpochClock::EpochClock(const TrackVertex& first)
    : start_ms(first.HasDay() ? std::int64_t{first.day} * kMillisecondsPerDay + first.time_of_day_ms
                              : first.time_of_day_ms),
      dated(first.HasDay()) {}

AxisLabels TimeAxisLabels(const EpochClock& clock, double first, double last) {
  const std::int64_t step = TimeStep(last - first);
  // A single moment shows its whole seconds, as the ends of a strip of a second or more do.
  const ClockPrecision end_precision =
      step < kSecond && last > first ? ClockPrecision::Tenths : ClockPrecision::Seconds;
  const ClockPrecision tick_precision = step < kSecond   ? ClockPrecision::Tenths
                                        : step < kMinute ? ClockPrecision::Seconds
                                                         : ClockPrecision::Minutes;
  const auto moment = [&](double position) {
    return clock.start_ms + static_cast<std::int64_t>(std::floor(position));
  };
  AxisLabels labels{
      ClockText(moment(first), end_precision), ClockText(moment(last), end_precision), {}};
  const std::int64_t first_moment = moment(first);
  const std::int64_t last_moment = moment(last);
  for (std::int64_t tick = (FloorDivide(first_moment, step) + 1) * step; tick < last_moment;
       tick += step) {
    const bool by_date = step >= kMillisecondsPerDay && clock.dated;
    labels.ticks.push_back({static_cast<double>(tick - clock.start_ms),
                            by_date ? DayText(FloorDivide(tick, kMillisecondsPerDay))
                                    : ClockText(tick, tick_precision)});
  }
  return labels;
}

AxisLabels EpochAxisLabels(double first, double last) {
  const auto first_number = static_cast<long long>(first) + 1;
  const auto last_number = static_cast<long long>(last) + 1;
  AxisLabels labels{FormatDecimal(first_number), FormatDecimal(last_number), {}};
  const auto step = static_cast<long long>(
      std::max(1.0, RoundLengthAtLeast(std::max(1.0, (last - first) / kMaxTicks))));
  for (long long number = (first_number / step + 1) * step; number < last_number; number += step) {
    labels.ticks.push_back({static_cast<double>(number - 1), FormatDecimal(number)});
  }
  return labels;
}

}  // namespace trackmint
