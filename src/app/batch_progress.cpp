#include "app/batch_progress.h"

#include "app/stop_signals.h"

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

void BatchProgress::TakeTurn() {
  ThrowIfStopRequested();
}

void BatchProgress::ShowProgress() {
  if (m_progress == nullptr) return;
  switch (m_phase) {
    case RunPhase::Reading:
      std::fprintf(m_progress, "\rReading the log: %3d%%", m_gauge);
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
