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
  return DateText(today.year, today.month, today.day) + '*';
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

}  // namespace trackmint
