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

}  // namespace
}  // namespace trackmint
