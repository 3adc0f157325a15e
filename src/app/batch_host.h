#pragma once

#include <array>
#include <cstdio>
#include <string>

#include "run/run_host.h"
#include "settings/plain_settings_controls.h"

namespace trackmint {

// The run's host in batch mode: the file fields and the settings loaded from the file, with no
// window. System colours take their classic values. When a progress stream is given (standard
// error on a terminal) a progress line follows the gauge and the phases.
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

  WindowColour ClassColour(IconSlot slot) const override;
  WindowColour TrackColour() const override { return m_settings.ShapeFullTrack(); }
  std::string TrackWidthText() const override { return m_settings.Edit3(); }
  std::string IconScaleText() const override { return m_settings.Edit4(); }
  bool UseFixedDate() const override { return m_settings.CheckBox1(); }
  std::string FixedDateText() const override { return m_settings.MaskEdit1(); }
  bool ShowHeight() const override { return m_settings.CheckBox3(); }
  bool UseAllWaypoints() const override { return m_settings.CheckBox2(); }
  WindowColour ResolveColour(WindowColour colour) const override;

  void SetIconFileName(IconSlot slot, const std::string& name) override;
  std::string IconFileName(IconSlot slot) const override;

  void SetLeftStatus(const std::string& text) override;
  void SetRightStatus(const std::string& text) override { m_right_status = text; }
  std::string RightStatus() const override { return m_right_status; }
  void SetProgress(int position) override;
  void AdvanceProgress() override;
  void SetRunEnabled(bool) override {}
  void LockSettings() override {}
  void UnlockSettings() override {}
  // Where the run stops when a signal asked it to.
  void ProcessPendingEvents() override;
  // Nobody reads a closing message in batch mode.
  void ShowFinalMessage(const std::string&) override {}

  const std::string& LeftStatus() const { return m_left_status; }

 private:
  void ShowProgress();

  const PlainSettingsControls& m_settings;
  std::FILE* m_progress;
  std::string m_input_text;
  std::string m_input_path;
  std::string m_output_text;
  std::string m_output_path;
  std::array<std::string, kIconSlotCount> m_icon_file_names;
  std::string m_left_status;
  std::string m_right_status;
  int m_gauge = 0;
  bool m_progress_shown = false;
};

}  // namespace trackmint
