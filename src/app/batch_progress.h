#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "run/run_observer.h"

namespace trackmint {

// What the batch mode makes of a run's reports: when a progress stream is given (standard error on
// a terminal) a progress line follows the gauge and the phases, and is gone again when the object
// goes, before anything else is printed. Its turn is where a run that a signal asked to stop ends.
class BatchProgress final : public RunObserver {
 public:
  explicit BatchProgress(std::FILE* progress = nullptr) : m_progress(progress) {}
  ~BatchProgress() override;
  BatchProgress(const BatchProgress&) = delete;
  BatchProgress& operator=(const BatchProgress&) = delete;

  void ReportPhase(RunPhase phase) override;
  void ReportProgress(int position) override;
  // A log without a size: the line shows the megabytes read instead of a percentage.
  void ReportBytesRead(std::uint64_t bytes) override;
  void ReportPlacemarks(std::int32_t) override {}
  void TakeTurn() override;

  RunPhase Phase() const { return m_phase; }

 private:
  void ShowProgress();

  std::FILE* m_progress;
  RunPhase m_phase = RunPhase::Started;
  int m_gauge = 0;
  std::optional<std::uint64_t> m_bytes_read;
  std::string m_bytes_line;  // the last line of bytes shown, printed again only when it changes
  bool m_progress_shown = false;
};

}  // namespace trackmint
