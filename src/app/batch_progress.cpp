#include "app/batch_progress.h"

#include <utility>

#include "app/stop_signals.h"
#include "base/number_format.h"

namespace trackmint {

BatchProgress::~BatchProgress() {
  if (m_progress_shown) std::fputs("\r\033[K", m_progress);
}

void BatchProgress::ReportPhase(RunPhase phase) {
  m_phase = phase;
  ShowProgress();
}

void BatchProgress::ReportProgress(int position) {
  m_gauge = position;
  ShowProgress();
}

void BatchProgress::ReportBytesRead(std::uint64_t bytes) {
  m_bytes_read = bytes;
  ShowProgress();
}

void BatchProgress::TakeTurn() {
  ThrowIfStopRequested();
}

void BatchProgress::ShowProgress() {
  if (m_progress == nullptr) return;
  switch (m_phase) {
    case RunPhase::Reading:
      if (m_bytes_read) {
        // Decimal megabytes, as file managers show sizes; reported after each block, shown
        // when the tenth changes.
        std::string line =
            "\r\033[KReading the log: " + FormatFixed(static_cast<double>(*m_bytes_read) / 1e6, 1) +
            " MB";
        if (line == m_bytes_line) return;
        m_bytes_line = std::move(line);
        std::fputs(m_bytes_line.c_str(), m_progress);
      } else {
        std::fprintf(m_progress, "\rReading the log: %3d%%", m_gauge);
      }
      break;
    case RunPhase::Writing:
      std::fprintf(m_progress, "\r\033[KWriting the document");
      break;
    case RunPhase::Packing:
      std::fprintf(m_progress, "\r\033[KPacking the KMZ file");
      break;
    default:
      return;
  }
  std::fflush(m_progress);
  m_progress_shown = true;
}

}  // namespace trackmint
