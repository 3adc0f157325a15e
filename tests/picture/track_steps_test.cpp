#include "picture/track_steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "picture_test_support.h"

namespace trackmint {
namespace {

using testing::Vertex;

TrackVertex At(std::int32_t time_of_day_ms, std::uint16_t day = TrackVertex::kNoDay) {
  return Vertex(11.0, 48.0, IconSlot::Auto, time_of_day_ms, day);
}

TEST(TrackSteps, AStepCountsByTheDatesWhenBothHaveOne) {
  constexpr std::int32_t kNone = TrackVertex::kNoTime;
  struct Case {
    const char* legend;
    TrackVertex earlier;
    TrackVertex later;
    std::optional<std::int64_t> step;
  };
  const Case cases[] = {
      {"a second", At(1000), At(2000), 1000},
      {"back in time", At(5000), At(2000), -3000},
      {"midnight without dates", At(86399900), At(100), 200},
      {"half a day back is no midnight", At(43200000), At(0), -43200000},
      {"midnight with dates", At(86399900, 19000), At(100, 19001), 200},
      {"a day later at the same time", At(1000, 19000), At(1000, 19001), 86400000},
      {"a date on one only", At(86399900, 19000), At(100), 200},
      {"the later without a time", At(1000), At(kNone), std::nullopt},
      {"the earlier without a time", At(kNone, 19000), At(1000, 19000), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(StepMilliseconds(c.earlier, c.later), c.step);
  }
}

std::deque<TrackVertex> AtTimes(const std::vector<std::int32_t>& times) {
  std::deque<TrackVertex> vertices;
  for (const std::int32_t time : times) vertices.push_back(At(time));
  return vertices;
}

TEST(TrackSteps, TheMedianStepIsOfTheStepsForward) {
  struct Case {
    const char* legend;
    std::vector<std::int32_t> times;
    std::optional<std::int64_t> median;
  };
  const Case cases[] = {
      {"none", {}, std::nullopt},
      {"one epoch", {1000}, std::nullopt},
      {"10 Hz with a gap", {0, 100, 200, 300, 5300, 5400}, 100},
      {"the lower of two", {0, 100, 400}, 100},
      {"odd count", {0, 700, 900, 1200}, 300},
      {"steps back and unknown ones left out",
       {0, 1000, 500, 1500, TrackVertex::kNoTime, 9000, 9000},
       1000},
      {"only steps back", {3000, 2000, 1000}, std::nullopt},
      // Steps that differ beyond the low 16 bits: 70,000 ms and 140,000 ms.
      {"long steps", {0, 70000, 210000, 280000}, 70000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(MedianStepMilliseconds(AtTimes(c.times)), c.median);
  }
  // Steps longer than 2^32 ms (49.7 days) count as that long, and do not wrap round.
  std::deque<TrackVertex> weeks = {At(0, 0), At(0, 60), At(0, 120), At(1000, 120)};
  EXPECT_EQ(MedianStepMilliseconds(weeks), 4294967295);
}

TEST(TrackSteps, AGapIsMoreThanAMinuteOrTenMedianStepsOrBack) {
  struct Case {
    const char* legend;
    std::optional<std::int64_t> median;
    std::optional<std::int64_t> step;
    bool gap;
  };
  const Case cases[] = {
      {"ten medians", 100, 1000, false},
      {"more than ten medians", 100, 1001, true},
      {"a minute", 10000, 60000, false},
      {"more than a minute", 10000, 60001, true},
      {"no median", std::nullopt, 59000, false},
      {"no median, more than a minute", std::nullopt, 61000, true},
      {"back in time", 1000, -1, true},
      {"no time", 1000, std::nullopt, false},
      {"same time", 1000, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(GapRule(c.median).IsGap(c.step), c.gap);
  }
}

}  // namespace
}  // namespace trackmint
