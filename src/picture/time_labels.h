#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture/run_picture.h"

namespace trackmint {

// The moment the timeline counts from: the first epoch's date and time, or its time of day
// alone when it has no date.
struct EpochClock {
  EpochClock() = default;
  explicit EpochClock(const TrackVertex& first);

  std::int64_t start_ms = 0;  // since 1970-01-01 when dated, else since the first midnight
  bool dated = false;
};

struct AxisLabel {
  double position;
  std::string text;
  bool operator==(const AxisLabel&) const = default;
};

// What the timeline's axis says: its first and its last moment, and round moments between them.
struct AxisLabels {
  std::string first;
  std::string last;
  std::vector<AxisLabel> ticks;  // strictly between first and last
};

// Of a strip by time, its positions in milliseconds after the clock's start: times of day
// "hh:mm:ss" at the ends (with tenths when the ticks are that close), ticks at the first round
// step (100 ms to 12 h, then days) that gives at most six, as "hh:mm:ss", "hh:mm" or, a day or
// more apart and dated, "yyyy-mm-dd".
AxisLabels TimeAxisLabels(const EpochClock& clock, double first, double last);

// Of a strip by epoch number, its positions counted from 0 and its labels from 1: ticks at the
// round numbers (1, 2 or 5 times a power of ten apart) that give at most six.
AxisLabels EpochAxisLabels(double first, double last);

}  // namespace trackmint
