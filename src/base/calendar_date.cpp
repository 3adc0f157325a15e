#include "base/calendar_date.h"

#include "base/number_format.h"

namespace trackmint {
namespace {

bool IsDigits(std::string_view text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int NumberOf(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsTwoDigitsUpTo(std::string_view text, int limit) {
  return IsDigits(text) && NumberOf(text) <= limit;
}

}  // namespace

std::string DateText(int year, int month, int day) {
  std::string text;
  AppendZeroPadded(text, year, 4);
  text += '-';
  AppendZeroPadded(text, month, 2);
  text += '-';
  AppendZeroPadded(text, day, 2);
  return text;
}

std::string ClockDateText(const Clock& clock) {
  const LocalDateTime today = clock.Now();
  return DateText(today.year, today.month, today.day);
}

bool IsCalendarDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const std::string_view year = text.substr(0, 4);
  const std::string_view month = text.substr(5, 2);
  const std::string_view day = text.substr(8, 2);
  if (!IsDigits(year) || !IsDigits(month) || !IsDigits(day)) return false;
  const int y = NumberOf(year);
  const int m = NumberOf(month);
  const int d = NumberOf(day);
  return y >= 1 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

// The civil-from-days algorithm run backwards: years counted from March, so the leap day ends
// its year, in eras of 400 years.
std::int64_t DaysSinceEpoch(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t year_of_era = y - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

std::optional<std::int64_t> DayNumber(std::string_view date_text) {
  if (!IsCalendarDate(date_text)) return std::nullopt;
  return DaysSinceEpoch(NumberOf(date_text.substr(0, 4)), NumberOf(date_text.substr(5, 2)),
                        NumberOf(date_text.substr(8, 2)));
}

// The days-to-civil algorithm: eras of 400 years, years counted from March.
std::string DateAfter(std::string_view date_text, std::int64_t days) {
  const std::optional<std::int64_t> start = DayNumber(date_text);
  if (!start || days == 0) return std::string(date_text);
  const std::int64_t z = *start + days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  if (year < 1 || year > 9999) return std::string(date_text);
  return DateText(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
}

double TimeOfDay::Seconds() const {
  double seconds = hour * 3600.0 + minute * 60.0 + second;
  double unit = 0.1;
  for (const char digit : fraction) {
    seconds += (digit - '0') * unit;
    unit /= 10;
  }
  return seconds;
}

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text) {
  if (text.size() < 6) return std::nullopt;
  if (!IsTwoDigitsUpTo(text.substr(0, 2), 23) || !IsTwoDigitsUpTo(text.substr(2, 2), 59) ||
      !IsTwoDigitsUpTo(text.substr(4, 2), 60)) {
    return std::nullopt;
  }
  TimeOfDay time{
      NumberOf(text.substr(0, 2)), NumberOf(text.substr(2, 2)), NumberOf(text.substr(4, 2)), {}};
  if (text.size() == 6) return time;
  time.fraction = text.substr(7);
  if (text[6] != '.' || time.fraction.empty() || !IsDigits(time.fraction)) return std::nullopt;
  return time;
}

}  // namespace trackmint
