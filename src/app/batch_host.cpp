#include "app/batch_host.h"

#include "app/stop_signals.h"
#include "base/classic_system_colours.h"
#include "base/paths.h"

namespace trackmint {

BatchHost::BatchHost(const PlainSettingsControls& settings, std::FILE* progress)
    : m_settings(settings), m_progress(progress) {}

BatchHost::~BatchHost() {
  if (m_progress_shown) std::fputs("\r\033[K", m_progress);
}

void BatchHost::SetInputFile(const std::string& name) {
  m_input_text = name;
  m_input_path = FullPath(name);
}

// The run joins the output text to the directory of the output path, so the text is the bare
// file name.
void BatchHost::SetOutputFile(const std::string& name) {
  m_output_path = FullPath(name);
  m_output_text = FileNamePart(m_output_path);
}

WindowColour BatchHost::ClassColour(IconSlot slot) const {
  return kDesignIconColours[static_cast<std::size_t>(slot)];
}

WindowColour BatchHost::ResolveColour(WindowColour colour) const {
  return ClassicSystemColour(colour);
}

void BatchHost::ReportPhase(RunPhase phase) {
  m_phase = phase;
  ShowProgress();
}

void BatchHost::SetProgress(int position) {
  m_gauge = position;
  ShowProgress();
}

void BatchHost::AdvanceProgress() {
  ++m_gauge;
  ShowProgress();
}

void BatchHost::ProcessPendingEvents() {
  ThrowIfStopRequested();
}

void BatchHost::ShowProgress() {
  if (m_progress == nullptr) return;
  const int percent = m_gauge > 100 ? 100 : m_gauge;
  switch (m_phase) {
    case RunPhase::Reading:
      std::fprintf(m_progress, "\rReading the log: %3d%%", percent);
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
