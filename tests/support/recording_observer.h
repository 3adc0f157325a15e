#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "run/run_observer.h"

namespace trackmint::testing {

// Writes down everything a run reports, in order, for the tests to compare with what the run should
// have said. A test that wants to look around at the run's turns sets on_turn.
class RecordingObserver final : public RunObserver {
 public:
  std::vector<RunPhase> phases;
  std::vector<int> progress;              // every position reported, in order
  std::vector<std::uint64_t> bytes_read;  // every count of bytes read reported, in order
  std::vector<std::int32_t> placemarks;
  int turns = 0;
  std::function<void()> on_turn;

  void ReportPhase(RunPhase phase) override { phases.push_back(phase); }
  void ReportProgress(int position) override { progress.push_back(position); }
  void ReportBytesRead(std::uint64_t bytes) override { bytes_read.push_back(bytes); }
  void ReportPlacemarks(std::int32_t count) override { placemarks.push_back(count); }
  void TakeTurn() override {
    ++turns;
    if (on_turn) on_turn();
  }

  // The gauge as the last report left it; -1 when nothing moved it.
  int Gauge() const { return progress.empty() ? -1 : progress.back(); }
  // How often the gauge went up.
  int Advances() const {
    int advances = 0;
    for (std::size_t i = 1; i < progress.size(); ++i) advances += progress[i] > progress[i - 1];
    return advances;
  }
};

}  // namespace trackmint::testing
