#include "base/calendar_date.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace trackmint {
namespace {

TEST(IsCalendarDate, Cases) {
  struct Case {
    std::string text;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"2000-01-01", true},  {"2024-02-29", true},  // divisible by 4
      {"2000-02-29", true},                         // divisible by 400
      {"1900-02-29", false},                        // divisible by 100 only
      {"2023-02-29", false}, {"2020-02-30", false},  {"2024-04-30", true},
      {"2024-04-31", false}, {"2024-12-31", true},   {"2024-13-45", false},
      {"2024-00-10", false}, {"2024-01-00", false},  {"0001-01-01", true},
      {"0000-01-01", false},  // there is no year 0
      {"9999-12-31", true},  {"2024-1-01", false},   {"2024-01-1 ", false},
      {"2024/01/01", false}, {" 2024-01-01", false}, {"2024-01-01Z", false},
      {"2024-0a-01", false}, {"____-__-__", false},  {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsCalendarDate(c.text), c.expected) << '"' << c.text << '"';
}

// The date text as printf's "%04d-%02d-%02d" writes it, the receiver's odd values included.
TEST(DateText, AsPrintfWritesIt) {
  struct Case {
    int year, month, day;
  };
  const std::vector<Case> cases = {{2024, 3, 1}, {5, 1, 1},       {2000, 99, 0},
                                   {-5, -3, 1},  {12345, 123, 7}, {2000, 0, 0}};
  for (const Case& c : cases) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%04d-%02d-%02d", c.year, c.month, c.day);
    EXPECT_EQ(DateText(c.year, c.month, c.day), expected);
  }
  EXPECT_EQ(DateText(2024, 3, 1), "2024-03-01");
}

TEST(DateText, TheClockDateIsTodaysDate) {
  EXPECT_EQ(ClockDateText(FixedClock({2026, 12, 9, 14, 30, 0})), "2026-12-09");
  EXPECT_EQ(ClockDateText(FixedClock({987, 1, 31, 0, 0, 0})), "0987-01-31");
}

// The days after a date, across the ends of months and years and past the leap day.
TEST(DateAfter, CountsDaysOnTheCalendar) {
  struct Case {
    const char* date;
    std::int64_t days;
    const char* after;
  };
  const std::vector<Case> cases = {
      {"2000-01-01", 1, "2000-01-02"},  {"2000-01-31", 1, "2000-02-01"},
      {"2000-02-28", 1, "2000-02-29"},  {"2000-02-29", 1, "2000-03-01"},
      {"1900-02-28", 1, "1900-03-01"},  {"2023-12-31", 1, "2024-01-01"},
      {"2024-03-01", -1, "2024-02-29"}, {"2000-01-01", 366, "2001-01-01"},
      {"2000-01-01", 0, "2000-01-01"},  {"9999-12-31", 1, "9999-12-31"},  // no year 10000
      {"2000-13-01", 1, "2000-13-01"},  {"", 1, ""},  // no calendar date: as it stands
  };
  for (const Case& c : cases)
    EXPECT_EQ(DateAfter(c.date, c.days), c.after) << c.date << " + " << c.days;
  EXPECT_EQ(DayNumber("1970-01-02"), 1);
  EXPECT_EQ(DayNumber("1970-1-02"), std::nullopt);
}

}  // namespace
}  // namespace trackmint
