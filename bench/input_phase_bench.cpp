// Speed and memory of the input phase alone: streams a log's epochs to nowhere and reports MB/s
// and the growth of the peak resident set over the first run, which stays flat however long the
// log, as only the open epoch is kept. The log is read as the run reads it, compressed or not; the
// speed counts the bytes of the file.
//
//   bench_input_phase LOG [REPEATS]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "base/clock.h"
#include "quiet_observer.h"
#include "run/epoch_stream.h"
#include "run/input_phase.h"
#include "run/log_inputs.h"

namespace {

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace trackmint;
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_input_phase LOG [REPEATS]\n");
    return 2;
  }
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  QuietObserver observer;
  SystemClock clock;
  double best_seconds = 1e300;
  std::size_t epoch_count = 0;
  std::uint64_t size = 0;
  long peak_growth_kb = 0;
  for (int run = 0; run < repeats; ++run) {
    LogInputs inputs;
    if (const std::optional<InputFailure> failure = inputs.Open({argv[1]})) {
      std::fprintf(stderr, "%s: %s\n", argv[1], std::strerror(failure->error_number));
      return 1;
    }
    size = inputs.TotalSize().value_or(0);
    const long peak_before = PeakResidentKilobytes();
    const auto start = std::chrono::steady_clock::now();
    NMEA assembler;
    EpochStream epochs([](waypoints&) {});
    ProgressGauge gauge(inputs.TotalSize(), observer);
    ReadLogs(inputs, epochs, assembler, gauge, observer, clock);
    epochs.Finish();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    best_seconds = std::min(best_seconds, elapsed.count());
    epoch_count = epochs.Count();
    if (run == 0) peak_growth_kb = PeakResidentKilobytes() - peak_before;
  }
  const double megabytes = static_cast<double>(size) / (1024.0 * 1024.0);
  std::printf("input phase: %.1f MB, %zu epochs, best of %d: %.3f s, %.0f MB/s\n", megabytes,
              epoch_count, repeats, best_seconds, megabytes / best_seconds);
  std::printf("input phase: peak memory growth %.1f MB (one open epoch of %zu bytes)\n",
              peak_growth_kb / 1024.0, sizeof(waypoints));
  return 0;
}
