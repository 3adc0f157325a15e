#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "picture/run_picture.h"

namespace trackmint {

inline constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// The time from one vertex to the next in milliseconds: by the dates and the times when both
// have a date, else by the times of day alone, a fall of more than twelve hours taken for
// midnight passed. Nothing when either has no time.
std::optional<std::int64_t> StepMilliseconds(const TrackVertex& earlier, const TrackVertex& later);

// The median of the steps forward between consecutive vertices (of an even number, the lower of
// the two in the middle); nothing when no step goes forward. Counted in two passes over the
// vertices, so that it needs no copy of them: a step longer than 2^32 ms counts as that long.
std::optional<std::int64_t> MedianStepMilliseconds(const std::deque<TrackVertex>& vertices);

// Where the record of the track breaks: a step of more than a minute, or of more than ten times
// the median step, and a step back in time. A step of unknown length is no gap.
class GapRule {
 public:
  static constexpr std::int64_t kLongestStep = 60'000;
  static constexpr std::int64_t kMedianFactor = 10;

  explicit GapRule(std::optional<std::int64_t> median_step);

  bool IsGap(std::optional<std::int64_t> step) const {
    return step && (*step < 0 || *step > m_longest_step);
  }
  std::optional<std::int64_t> MedianStep() const { return m_median_step; }

 private:
  std::optional<std::int64_t> m_median_step;
  std::int64_t m_longest_step;
};

}  // namespace trackmint
