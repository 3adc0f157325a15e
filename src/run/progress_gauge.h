#pragma once

#include <cstddef>
#include <cstdint>

#include "run/run_observer.h"

namespace trackmint {

// The gauge step for a log: one gauge step per hundredth of the file. A file of 1 to 99 bytes
// gives 0, so every byte moves the gauge.
std::int32_t ProgressStep(std::uint64_t file_size);

// The run's gauge, 0 to 100, moved by the progress rule over the bytes of the log and reported to
// the observer each time it moves: when the byte counter equals the step the gauge moves and the
// counter restarts, otherwise the counter counts the byte; the last byte of a short block (the
// file's last) moves the gauge in any case. The counter runs on across blocks.
class ProgressGauge {
 public:
  ProgressGauge(std::uint64_t file_size, RunObserver& observer);

  // Back to 0, as at the start of a run and after a failure.
  void Reset();
  // The rule over one block of count bytes, short when it is the file's last.
  void AdvanceOverBlock(std::size_t count, bool short_block);

  int Position() const { return m_position; }

 private:
  void Advance();

  RunObserver& m_observer;
  std::int32_t m_step;
  std::int32_t m_counter = 0;
  int m_position = 0;
};

}  // namespace trackmint
