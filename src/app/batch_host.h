#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "run/run_host.h"
#include "settings/plain_settings_controls.h"

namespace trackmint {

// The run's host in batch mode: the files of the command line and the settings loaded from the
// file, with no window. Fix classes take the designed colours, system colours their classic
// values. When a progress stream is given (standard error on a terminal) a progress line follows
// the gauge and the phases.
class BatchHost : public RunHost {
 public:
  explicit BatchHost(const PlainSettingsControls& settings, std::FILE* progress = nullptr);
  ~BatchHost() override;

  // The files as the command line names them: relative names from the current directory.
  void SetInputFile(const std::string& name);
  void SetOutputFile(const std::string& name);

  std::string InputText() const override { return m_input_text; }
  std::string InputPath() const override { return m_input_path; }
  std::string OutputText() const override { return m_output_text; }
  std::string OutputPath() const override { return m_output_path; }
  void SetOutputPath(const std::string& path) override { m_output_path = path; }

  const ConversionSettings& Settings() const override { return m_settings; }
  WindowColour ClassColour(IconSlot slot) const override;
  WindowColour ResolveColour(WindowColour colour) const override;

  void ReportPhase(RunPhase phase) override;
  void ReportPlacemarks(std::int32_t) override {}
  void SetProgress(int position) override;
  void AdvanceProgress() override;
  void SetRunEnabled(bool) override {}
  void SetSettingsLocked(bool) override {}
  // Where the run stops when a signal asked it to.
  void ProcessPendingEvents() override;
  // Nobody reads a closing message in batch mode.
  void ShowFinalMessage(const std::string&) override {}

  RunPhase Phase() const { return m_phase; }

 private:
  void ShowProgress();

  const PlainSettingsControls& m_settings;
  std::FILE* m_progress;
  std::string m_input_text;
  std::string m_input_path;
  std::string m_output_text;
  std::string m_output_path;
  RunPhase m_phase = RunPhase::Started;
  int m_gauge = 0;
  bool m_progress_shown = false;
};

}  // namespace trackmint
