#pragma once

#include <cstdint>
#include <string>

#include "base/classic_system_colours.h"
#include "run/run_host.h"
#include "settings/plain_settings_controls.h"

namespace trackmint {

// A host for the command-line tools, the benchmarks and the fuzzer: the window's design values,
// no reports.
class QuietHost : public RunHost {
 public:
  std::string InputText() const override { return {}; }
  std::string InputPath() const override { return {}; }
  std::string OutputText() const override { return {}; }
  std::string OutputPath() const override { return m_output_path; }
  void SetOutputPath(const std::string& path) override { m_output_path = path; }
  const ConversionSettings& Settings() const override { return m_settings; }
  WindowColour ClassColour(IconSlot slot) const override {
    return kDesignIconColours[static_cast<std::size_t>(slot)];
  }
  WindowColour ResolveColour(WindowColour colour) const override {
    return ClassicSystemColour(colour);
  }
  void ReportPhase(RunPhase) override {}
  void ReportPlacemarks(std::int32_t) override {}
  void SetProgress(int) override {}
  void AdvanceProgress() override {}
  void SetRunEnabled(bool) override {}
  void SetSettingsLocked(bool) override {}
  void ProcessPendingEvents() override {}
  void ShowFinalMessage(const std::string&) override {}

 private:
  std::string m_output_path;
  PlainSettingsControls m_settings;
};

}  // namespace trackmint
