#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "run/run_observer.h"

namespace trackmint {

// The gauge step for a log: one gauge step per hundredth of the file. A file of 1 to 99 bytes
// gives 0, so every byte moves the gauge.
std::int32_t ProgressStep(std::uint64_t file_size);

// The run's gauge, 0 to 100, moved by the progress rule over the bytes of the log and reported to
// the observer each time it moves: when the byte counter equals the step the gauge moves and the
// counter restarts, otherwise the counter counts the byte; the last byte of a short block (the
// file's last) moves the gauge in any case. The counter runs on across blocks. The bytes are
// those of the files as read: a compressed log's compressed bytes, and several logs' bytes one
// after the other.
//
// Logs without a size (a pipe, a FIFO, a terminal) give no percentage: the gauge stays at 0, and
// each block reports the bytes read so far instead.
class ProgressGauge {
 public:
  ProgressGauge(std::uint64_t file_size, RunObserver& observer);
  // Without a size when total_size is empty.
  ProgressGauge(std::optional<std::uint64_t> total_size, RunObserver& observer);

  // Back to 0, as at the start of a run and after a failure.
  void Reset();
  // The rule over one block's count bytes of the file, short when it is the file's last.
  void AdvanceOverBlock(std::size_t count, bool short_block);

  int Position() const { return m_position; }

 private:
  void Advance();

  RunObserver& m_observer;
  bool m_sized;
  std::int32_t m_step;
  std::int32_t m_counter = 0;
  int m_position = 0;
  std::uint64_t m_bytes_read = 0;  // without a size
};

}  // namespace trackmint
