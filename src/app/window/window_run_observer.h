#pragma once

#include <cstdint>
#include <string>

#include "run/run_observer.h"

namespace trackmint {

class TForm1;

// The window's side of one run. The panels and the gauge show what the run reports; once the
// run has its files the output field's Hint names the KMZ and the Run button is off, and while the
// log is read and the document written the settings are locked. Both come back when the observer
// goes, however the run ended. The run's turns are the window's: it repaints and takes its events.
class WindowRunObserver final : public RunObserver {
 public:
  WindowRunObserver(TForm1& form, std::string kmz_path);
  ~WindowRunObserver() override;
  WindowRunObserver(const WindowRunObserver&) = delete;
  WindowRunObserver& operator=(const WindowRunObserver&) = delete;

  void ReportPhase(RunPhase phase) override;
  void ReportProgress(int position) override;
  // The gauge has nothing to show for a log without a size; it stays at 0 until the run ends.
  void ReportBytesRead(std::uint64_t) override {}
  void ReportPlacemarks(std::int32_t placemarks) override;
  void TakeTurn() override;

 private:
  TForm1& m_form;
  std::string m_kmz_path;
  bool m_run_button_off = false;
  bool m_settings_locked = false;
};

}  // namespace trackmint
