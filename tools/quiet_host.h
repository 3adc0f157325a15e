#pragma once

#include <array>
#include <string>

#include "base/classic_system_colours.h"
#include "run/run_host.h"

namespace trackmint {

// A host for the command-line tools and benchmarks: the window's design values, no reports.
class QuietHost : public RunHost {
 public:
  std::string InputText() const override { return {}; }
  std::string InputPath() const override { return {}; }
  std::string OutputText() const override { return {}; }
  std::string OutputPath() const override { return m_output_path; }
  void SetOutputPath(const std::string& path) override { m_output_path = path; }
  WindowColour ClassColour(IconSlot slot) const override {
    return kDesignIconColours[static_cast<std::size_t>(slot)];
  }
  WindowColour TrackColour() const override { return 0x0000FF; }
  std::string TrackWidthText() const override { return "5"; }
  std::string IconScaleText() const override { return "0.5"; }
  bool UseFixedDate() const override { return true; }
  std::string FixedDateText() const override { return "2000-01-01"; }
  bool ShowHeight() const override { return false; }
  bool UseAllWaypoints() const override { return false; }
  WindowColour ResolveColour(WindowColour colour) const override {
    return ClassicSystemColour(colour);
  }
  void SetIconFileName(IconSlot slot, const std::string& name) override {
    m_icon_names[static_cast<std::size_t>(slot)] = name;
  }
  std::string IconFileName(IconSlot slot) const override {
    return m_icon_names[static_cast<std::size_t>(slot)];
  }
  void SetLeftStatus(const std::string&) override {}
  void SetRightStatus(const std::string& text) override { m_right_status = text; }
  std::string RightStatus() const override { return m_right_status; }
  void SetProgress(int) override {}
  void AdvanceProgress() override {}
  void SetRunEnabled(bool) override {}
  void LockSettings() override {}
  void UnlockSettings() override {}
  void ProcessPendingEvents() override {}
  void ShowFinalMessage(const std::string&) override {}

 private:
  std::string m_output_path;
  std::string m_right_status;
  std::array<std::string, kIconSlotCount> m_icon_names;
};

}  // namespace trackmint
