#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/classic_system_colours.h"
#include "run/run_host.h"

namespace trackmint::testing {

// A run host over plain values: tests set the settings and read back what the run reported. It is
// its own settings, so the document's writers can take it as they are.
class StubHost : public RunHost, public ConversionSettings {
 public:
  // Settings, with the values the window is designed with.
  std::string input_text;
  std::string input_path;
  std::string output_text;
  std::string output_path;
  std::array<WindowColour, kIconSlotCount> class_colours = kDesignIconColours;
  WindowColour track_colour = 0x0000FF;
  std::string track_width_text = "5";
  std::string icon_scale_text = "0.5";
  bool use_fixed_date = true;
  std::string fixed_date_text = "2000-01-01";
  bool show_height = false;
  bool use_all_waypoints = false;
  // The names the document's placemarks give the icons (see KmlHost); the run makes its own.
  std::array<std::string, kIconSlotCount> icon_file_names;

  // What the run reported: the phases, and the panels' texts as the window would show them.
  std::vector<RunPhase> phases;
  std::string left_status;
  std::string right_status;
  std::vector<std::string> left_status_history;
  int progress = -1;  // the gauge before any run touched it
  int progress_advances = 0;
  bool run_enabled = false;
  int lock_depth = 0;
  int locks = 0;
  int pending_event_calls = 0;
  std::vector<std::string> final_messages;

  std::string InputText() const override { return input_text; }
  std::string InputPath() const override { return input_path; }
  std::string OutputText() const override { return output_text; }
  std::string OutputPath() const override { return output_path; }
  void SetOutputPath(const std::string& path) override { output_path = path; }

  const ConversionSettings& Settings() const override { return *this; }
  WindowColour ClassColour(IconSlot slot) const override {
    return class_colours[static_cast<std::size_t>(slot)];
  }
  WindowColour ResolveColour(WindowColour colour) const override {
    return ClassicSystemColour(colour);
  }

  bool UseFixedDate() const override { return use_fixed_date; }
  std::string FixedDateText() const override { return fixed_date_text; }
  WindowColour TrackColour() const override { return track_colour; }
  std::string TrackWidthText() const override { return track_width_text; }
  bool UseAllWaypoints() const override { return use_all_waypoints; }
  bool ShowHeight() const override { return show_height; }
  std::string IconScaleText() const override { return icon_scale_text; }

  void ReportPhase(RunPhase phase) override {
    phases.push_back(phase);
    left_status = PhaseText(phase);
    left_status_history.push_back(left_status);
    if (phase == RunPhase::Started) right_status = " ";
    if (phase == RunPhase::Failed) right_status.clear();
  }
  void ReportPlacemarks(std::int32_t placemarks) override {
    right_status = WaypointsText(placemarks);
  }
  void SetProgress(int position) override { progress = position; }
  void AdvanceProgress() override {
    ++progress;
    ++progress_advances;
  }
  void SetRunEnabled(bool enabled) override { run_enabled = enabled; }
  void SetSettingsLocked(bool locked) override {
    if (locked) {
      ++lock_depth;
      ++locks;
    } else {
      --lock_depth;
    }
  }
  void ProcessPendingEvents() override { ++pending_event_calls; }
  void ShowFinalMessage(const std::string& text) override { final_messages.push_back(text); }
};

}  // namespace trackmint::testing
