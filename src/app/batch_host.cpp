#include "app/batch_host.h"

#include "app/stop_signals.h"

#include "base/classic_system_colours.h"
#include "base/paths.h"
#include "base/trackmint_error.h"

namespace trackmint {

BatchHost::BatchHost(const PlainSettingsControls& settings, std::FILE* progress)
    : m_settings(settings),
      m_progress(progress) {}

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

void BatchHost::SetIconFileName(IconSlot slot, const std::string& name) {
  m_icon_file_names[static_cast<std::size_t>(slot)] = name;
}

std::string BatchHost::IconFileName(IconSlot slot) const {
  return m_icon_file_names[static_cast<std::size_t>(slot)];
}

void BatchHost::SetLeftStatus(const std::string& text) {
  m_left_status = text;
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
  if (m_left_status == "The progress started") {
    std::fprintf(m_progress, "\rReading the log: %3d%%", percent);
  } else if (m_left_status == "Creation of KML-file") {
    std::fprintf(m_progress, "\r\033[KWriting the document");
  } else if (m_left_status == "Packing of KMZ-file") {
    std::fprintf(m_progress, "\r\033[KPacking the KMZ file");
  } else {
    return;
  }
  std::fflush(m_progress);
  m_progress_shown = true;
}

}  // namespace trackmint
