#include "base/time_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/calendar_date.h"

namespace trackmint {
namespace {

TEST(TimeOfDayMilliseconds, TheFirstThreeDecimalsCount) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> milliseconds;
  };
  const std::vector<Case> cases = {
      {"000000", 0},
      {"123519", (12 * 3600 + 35 * 60 + 19) * 1000},
      {"123519.5", (12 * 3600 + 35 * 60 + 19) * 1000 + 500},
      {"123519.25", (12 * 3600 + 35 * 60 + 19) * 1000 + 250},
      {"123519.123456", (12 * 3600 + 35 * 60 + 19) * 1000 + 123},  // the rest is ignored
      {"235960.999", 86'400'999},                                  // a leap second
      {"240000", std::nullopt},
      {"126000", std::nullopt},
      {"120061", std::nullopt},
      {"120000.", std::nullopt},
      {"12000", std::nullopt},
      {"", std::nullopt},
      {"12:00:00", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TimeOfDayMilliseconds(c.text), c.milliseconds) << c.text;
}

TEST(ParseTimeBound, TimesOfDayAndDateTimes) {
  const std::int64_t day = DaysSinceEpoch(2024, 2, 29);
  struct Case {
    const char* text;
    std::optional<TimeBound> bound;
  };
  const std::vector<Case> cases = {
      {"10:00", TimeBound{std::nullopt, 36'000'000}},
      {"23:59:59", TimeBound{std::nullopt, 86'399'000}},
      {"00:00:00.5", TimeBound{std::nullopt, 500}},
      {"00:00:00.05", TimeBound{std::nullopt, 50}},
      {"00:00:00.005", TimeBound{std::nullopt, 5}},
      {"12:30:60", TimeBound{std::nullopt, 45'060'000}},
      {"2024-02-29T10:00", TimeBound{day, 36'000'000}},
      {"2024-02-29T10:00:01.25Z", TimeBound{day, 36'001'250}},
      {"1970-01-01T00:00Z", TimeBound{0, 0}},
      {"", std::nullopt},
      {"10", std::nullopt},
      {"10:0", std::nullopt},
      {"1:00", std::nullopt},
      {"24:00", std::nullopt},
      {"10:60", std::nullopt},
      {"10:00:61", std::nullopt},
      {"10:00:00.", std::nullopt},
      {"10:00:00.1234", std::nullopt},
      {"10:00:5", std::nullopt},
      {"10:00Z", std::nullopt},  // only a date-time takes the Z
      {"10:00 ", std::nullopt},
      {"2023-02-29T10:00", std::nullopt},
      {"2024-02-29T", std::nullopt},
      {"2024-02-29 10:00", std::nullopt},
      {"2024-02-29T10:00ZZ", std::nullopt},
      {"T10:00", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTimeBound(c.text), c.bound) << '"' << c.text << '"';
}

TEST(ParseArrowInterval, SecondsWithUpToThreeDecimals) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> milliseconds;
  };
  const std::vector<Case> cases = {
      {"0", 0},
      {"10", 10'000},
      {"0.25", 250},
      {"0.001", 1},
      {"1.5", 1500},
      {"86400", 86'400'000},
      {"007", 7000},
      {"86400.000", 86'400'000},
      {"86400.001", std::nullopt},
      {"90000", std::nullopt},
      {"-1", std::nullopt},
      {"+1", std::nullopt},
      {".5", std::nullopt},
      {"5.", std::nullopt},
      {"0.1234", std::nullopt},
      {"1e3", std::nullopt},
      {"", std::nullopt},
      {"ten", std::nullopt},
      {" 5", std::nullopt},
      {"5 s", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseArrowInterval(c.text), c.milliseconds) << '"' << c.text << '"';
  }
}

// Which epochs a window holds: bounds included, times of day against the time of day, date-times
// against the receiver's day and time.
TEST(TimeWindow, Contains) {
  const auto at = [](const char* text) { return *ParseTimeBound(text); };
  const std::int64_t day = DaysSinceEpoch(2024, 3, 1);
  const std::int32_t ten = 36'000'000;
  const std::int32_t eleven = 39'600'000;
  struct Case {
    const char* legend;
    TimeWindow window;
    std::optional<std::int64_t> day;
    std::optional<std::int32_t> time;
    bool inside;
  };
  const std::vector<Case> cases = {
      {"no bound holds every epoch", {}, std::nullopt, std::nullopt, true},
      {"from: the bound itself", {at("10:00"), {}}, day, ten, true},
      {"from: a millisecond before", {at("10:00"), {}}, day, ten - 1, false},
      {"to: the bound itself", {{}, at("10:00")}, day, ten, true},
      {"to: a millisecond after", {{}, at("10:00")}, day, ten + 1, false},
      {"between", {at("10:00"), at("11:00")}, std::nullopt, ten + 5, true},
      {"after", {at("10:00"), at("11:00")}, day, eleven + 1, false},
      {"no valid time is outside any window", {at("10:00"), {}}, day, std::nullopt, false},
      {"across midnight: late", {at("23:00"), at("01:00")}, day, 23 * 3'600'000 + 1, true},
      {"across midnight: early", {at("23:00"), at("01:00")}, day, 3'600'000, true},
      {"across midnight: noon is out", {at("23:00"), at("01:00")}, day, 12 * 3'600'000, false},
      {"equal bounds hold that moment", {at("10:00"), at("10:00")}, day, ten, true},
      {"equal bounds: nothing else", {at("10:00"), at("10:00")}, day, ten + 1, false},
      {"a date-time bound needs the receiver's date",
       {at("2024-03-01T09:00"), {}},
       std::nullopt,
       ten,
       false},
      {"a date-time bound on the day", {at("2024-03-01T09:00"), {}}, day, ten, true},
      {"a date-time bound: the day before", {at("2024-03-01T09:00"), {}}, day - 1, ten, false},
      {"a date-time bound: a later day, earlier hour",
       {at("2024-03-01T11:00"), {}},
       day + 1,
       ten,
       true},
      {"date-time to, time-of-day from", {at("09:00"), at("2024-03-01T10:00Z")}, day, ten, true},
      {"date-time to, time-of-day from: the next day",
       {at("09:00"), at("2024-03-01T10:00Z")},
       day + 1,
       ten,
       false},
      // With a date-time bound the window does not run across midnight.
      {"a later from than to with a date", {at("2024-03-02T00:00"), at("23:00")}, day, ten, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.window.Contains(c.day, c.time), c.inside) << c.legend;
  }
}

}  // namespace
}  // namespace trackmint
