#include "picture/track_steps.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace trackmint {
namespace {

constexpr std::size_t kBuckets = 1 << 16;

// Each step forward, as an unsigned 32-bit count of milliseconds.
template <typename Visit>
void ForEachStepForward(const std::deque<TrackVertex>& vertices, Visit visit) {
  for (std::size_t i = 1; i < vertices.size(); ++i) {
    const std::optional<std::int64_t> step = StepMilliseconds(vertices[i - 1], vertices[i]);
    if (!step || *step <= 0) continue;
    visit(static_cast<std::uint32_t>(
        std::min<std::int64_t>(*step, std::numeric_limits<std::uint32_t>::max())));
  }
}

// The bucket in which the count of rank (from 0) falls, and the rank within it.
std::size_t BucketOfRank(const std::vector<std::uint64_t>& counts, std::uint64_t& rank) {
  std::size_t bucket = 0;
  while (rank >= counts[bucket]) rank -= counts[bucket++];
  return bucket;
}

}  // namespace

std::optional<std::int64_t> StepMilliseconds(const TrackVertex& earlier, const TrackVertex& later) {
  if (!earlier.HasTime() || !later.HasTime()) return std::nullopt;
  std::int64_t step = std::int64_t{later.time_of_day_ms} - earlier.time_of_day_ms;
  if (earlier.HasDay() && later.HasDay()) {
    step += (std::int64_t{later.day} - earlier.day) * kMillisecondsPerDay;
  } else if (step < -kMillisecondsPerDay / 2) {
    step += kMillisecondsPerDay;
  }
  return step;
}

std::optional<std::int64_t> MedianStepMilliseconds(const std::deque<TrackVertex>& vertices) {
  // The high half of each step picks its bucket, then the low half within the median's bucket.
  std::vector<std::uint64_t> high(kBuckets);
  std::uint64_t count = 0;
  ForEachStepForward(vertices, [&](std::uint32_t step) {
    ++high[step >> 16];
    ++count;
  });
  if (count == 0) return std::nullopt;
  std::uint64_t rank = (count - 1) / 2;
  const std::size_t high_bucket = BucketOfRank(high, rank);
  std::vector<std::uint64_t> low(kBuckets);
  ForEachStepForward(vertices, [&](std::uint32_t step) {
    if ((step >> 16) == high_bucket) ++low[step & 0xFFFFu];
  });
  const std::size_t low_bucket = BucketOfRank(low, rank);
  return static_cast<std::int64_t>(high_bucket << 16 | low_bucket);
}

GapRule::GapRule(std::optional<std::int64_t> median_step)
    : m_median_step(median_step),
      m_longest_step(median_step ? std::min(kLongestStep, kMedianFactor * *median_step)
                                 : kLongestStep) {}

}  // namespace trackmint
