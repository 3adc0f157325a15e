#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/canvas.h"
#include "picture/round_numbers.h"
#include "picture/time_labels.h"
#include "picture_test_support.h"

namespace trackmint {
namespace {

TEST(PictureText, RoundLengths) {
  struct Case {
    double limit;
    double at_most;
    double at_least;
  };
  const Case cases[] = {
      {1, 1, 1},         {1.5, 1, 2},        {2, 2, 2},         {4.99, 2, 5},    {5, 5, 5},
      {9.99, 5, 10},     {10, 10, 10},       {1.3333, 1, 2},    {0.3, 0.2, 0.5}, {3, 2, 5},
      {199.9, 100, 200}, {1000, 1000, 1000}, {1.3e7, 1e7, 2e7}, {0.999, 0.5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    EXPECT_DOUBLE_EQ(RoundLengthAtMost(c.limit), c.at_most);
    EXPECT_DOUBLE_EQ(RoundLengthAtLeast(c.limit), c.at_least);
  }
}

TEST(PictureText, ScaleBarLabels) {
  EXPECT_EQ(MetresText(1), "1 m");
  EXPECT_EQ(MetresText(500), "500 m");
  EXPECT_EQ(MetresText(1000), "1 km");
  EXPECT_EQ(MetresText(20000), "20 km");
  EXPECT_EQ(MetresText(1e7), "10000 km");
  EXPECT_EQ(MetresText(0.5), "50 cm");
  EXPECT_EQ(MetresText(0.005), "5 mm");
}

EpochClock ClockAt(std::int64_t start_ms, bool dated) {
  EpochClock clock;
  clock.start_ms = start_ms;
  clock.dated = dated;
  return clock;
}

std::vector<std::string> TickTexts(const AxisLabels& labels) {
  std::vector<std::string> texts;
  for (const AxisLabel& tick : labels.ticks) texts.push_back(tick.text);
  return texts;
}

constexpr std::int64_t kHour = 3600000;

TEST(PictureText, TimeAxisLabels) {
  struct Case {
    const char* legend;
    EpochClock clock;
    double first;
    double last;
    std::string first_text;
    std::string last_text;
    std::vector<std::string> ticks;
  };
  const Case cases[] = {
      {"an hour: ten minutes apart",
       ClockAt(12 * kHour, false),
       0,
       3600000,
       "12:00:00",
       "13:00:00",
       {"12:10", "12:20", "12:30", "12:40", "12:50"}},
      {"half a second at 10 Hz",
       ClockAt(12 * kHour + 50, false),
       0,
       500,
       "12:00:00.0",
       "12:00:00.5",
       {"12:00:00.1", "12:00:00.2", "12:00:00.3", "12:00:00.4", "12:00:00.5"}},
      {"over midnight without a date",
       ClockAt(24 * kHour - 10000, false),
       0,
       20000,
       "23:59:50",
       "00:00:10",
       {"23:59:55", "00:00:00", "00:00:05"}},
      // Two days apart: on the even days since 1970.
      {"ten days from 2024-01-01",
       ClockAt(19723 * 24 * kHour + 6 * kHour, true),
       0,
       10 * 24 * kHour,
       "06:00:00",
       "06:00:00",
       {"2024-01-02", "2024-01-04", "2024-01-06", "2024-01-08", "2024-01-10"}},
      {"seven minutes, not on a round start",
       ClockAt(8 * kHour + 95000, false),
       0,
       420000,
       "08:01:35",
       "08:08:35",
       {"08:02", "08:04", "08:06", "08:08"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const AxisLabels labels = TimeAxisLabels(c.clock, c.first, c.last);
    EXPECT_EQ(labels.first, c.first_text);
    EXPECT_EQ(labels.last, c.last_text);
    EXPECT_EQ(TickTexts(labels), c.ticks);
  }
  // A tick stands at its moment after the clock's start.
  const AxisLabels hour = TimeAxisLabels(ClockAt(12 * kHour, false), 0, 3600000);
  ASSERT_FALSE(hour.ticks.empty());
  EXPECT_EQ(hour.ticks[0].position, 600000);
}

TEST(PictureText, EpochAxisLabels) {
  const AxisLabels thousand = EpochAxisLabels(0, 999);
  EXPECT_EQ(thousand.first, "1");
  EXPECT_EQ(thousand.last, "1000");
  EXPECT_EQ(TickTexts(thousand), (std::vector<std::string>{"200", "400", "600", "800"}));
  EXPECT_EQ(thousand.ticks[0].position, 199);
  const AxisLabels three = EpochAxisLabels(0, 2);
  EXPECT_EQ(three.first, "1");
  EXPECT_EQ(three.last, "3");
  EXPECT_EQ(TickTexts(three), std::vector<std::string>{"2"});
}

TEST(PictureText, ShowableTextIsUtf8WithoutControls) {
  struct Case {
    std::string text;
    std::string showable;
  };
  const Case cases[] = {
      {"day1.nmea", "day1.nmea"},
      {"M\xC3\xBCnchen \xE2\x80\x93 Tag", "M\xC3\xBCnchen \xE2\x80\x93 Tag"},
      {"a\xFF"
       "b",
       "a?b"},
      {"cut \xE2\x80", "cut ??"},
      {"tab\tnew\nline\x7F", "tab?new?line?"},
      {"\xC2\x85", "?"},        // U+0085, a control of Latin-1
      {"\xED\xA0\x80", "???"},  // a surrogate
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Canvas::ShowableText(c.text), c.showable);
  }
}

TEST(PictureText, TextTooWideLosesItsEnd) {
  const Canvas canvas(100, 100);
  canvas.SetFont(13);
  const std::string text = "a rather long file name \xC3\xBC\xC3\xBC\xC3\xBC.nmea";
  EXPECT_EQ(canvas.FittedText(text, 10000), text);
  const std::string fitted = canvas.FittedText(text, canvas.TextWidth(text) / 2);
  ASSERT_TRUE(fitted.ends_with("\xE2\x80\xA6"));
  EXPECT_TRUE(text.starts_with(fitted.substr(0, fitted.size() - 3)));
  EXPECT_LE(canvas.TextWidth(fitted), canvas.TextWidth(text) / 2);
  // A cut never splits a character.
  for (double width = 1; width < canvas.TextWidth(text); width += 3) {
    EXPECT_EQ(Canvas::ShowableText(canvas.FittedText(text, width)), canvas.FittedText(text, width));
  }
}

}  // namespace
}  // namespace trackmint
