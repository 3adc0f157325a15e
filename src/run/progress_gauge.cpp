#include "run/progress_gauge.h"

#include <limits>

namespace trackmint {
namespace {

constexpr int kGaugeMaximum = 100;

}  // namespace

std::int32_t ProgressStep(std::uint64_t file_size) {
  const std::uint64_t step = file_size / 100;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(step < kMax ? step : kMax);
}

ProgressGauge::ProgressGauge(std::uint64_t file_size, RunObserver& observer)
    : m_observer(observer), m_sized(true), m_step(ProgressStep(file_size)) {}

ProgressGauge::ProgressGauge(std::optional<std::uint64_t> total_size, RunObserver& observer)
    : m_observer(observer),
      m_sized(total_size.has_value()),
      m_step(ProgressStep(total_size.value_or(0))) {}

void ProgressGauge::Reset() {
  m_counter = 0;
  m_position = 0;
  m_bytes_read = 0;
  m_observer.ReportProgress(0);
}

// Worked out for a whole block at once, jumping from one move to the next; the gauge and the
// sentences do not see each other, so doing this before the block's bytes go to the assembler
// changes nothing.
void ProgressGauge::AdvanceOverBlock(std::size_t count, bool short_block) {
  if (!m_sized) {
    m_bytes_read += count;
    m_observer.ReportBytesRead(m_bytes_read);
    return;
  }
  std::size_t i = 0;
  bool last_byte_moved_gauge = false;
  while (i < count) {
    const std::size_t move_at = i + static_cast<std::size_t>(m_step - m_counter);
    if (move_at >= count) {
      m_counter += static_cast<std::int32_t>(count - i);
      break;
    }
    Advance();
    m_counter = 0;
    last_byte_moved_gauge = move_at == count - 1;
    i = move_at + 1;
  }
  if (short_block && count > 0 && !last_byte_moved_gauge) {
    Advance();
    m_counter = 0;
  }
}

// The rule never moves the gauge more than a hundred times, but a value above 100 would show as
// 100 in any case.
void ProgressGauge::Advance() {
  if (m_position < kGaugeMaximum) ++m_position;
  m_observer.ReportProgress(m_position);
}

}  // namespace trackmint
