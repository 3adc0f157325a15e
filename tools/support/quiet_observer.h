#pragma once

#include <cstdint>

#include "run/run_observer.h"

namespace trackmint {

// An observer for the command-line tools, the benchmarks and the fuzzer: nobody watches.
class QuietObserver final : public RunObserver {
 public:
  void ReportPhase(RunPhase) override {}
  void ReportProgress(int) override {}
  void ReportBytesRead(std::uint64_t) override {}
  void ReportPlacemarks(std::int32_t) override {}
  void TakeTurn() override {}
};

}  // namespace trackmint
