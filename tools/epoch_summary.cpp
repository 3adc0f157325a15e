// Prints what the input phase makes of a log: epochs, fix qualities, satellites by system. The log
// is read as the run reads it: compressed or not, "-" for standard input.
//
//   epoch_summary LOG
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "base/clock.h"
#include "base/trackmint_error.h"
#include "nmea/satellite_rows.h"
#include "quiet_observer.h"
#include "run/epoch_stream.h"
#include "run/input_phase.h"
#include "run/log_inputs.h"

int main(int argc, char** argv) {
  using namespace trackmint;
  if (argc != 2) {
    std::fprintf(stderr, "usage: epoch_summary LOG\n");
    return 2;
  }
  LogInputs inputs;
  if (const std::optional<InputFailure> failure = inputs.Open({argv[1]})) {
    std::fprintf(stderr, "epoch_summary: cannot open %s: %s\n", argv[1],
                 std::strerror(failure->error_number));
    return 1;
  }
  QuietObserver observer;
  SystemClock clock;
  NMEA assembler;
  // Rows of the satellites tables, added up over the epochs, by system.
  struct SystemCounts {
    int rows = 0;
    int snr_zero = 0;
    int used = 0;
  };
  std::array<SystemCounts, kSystemRows.size()> by_system{};
  std::map<int, int> by_quality;
  int both = 0, gga_only = 0, rmc_only = 0, with_satellites = 0;
  std::string first;
  std::string last;
  EpochStream epochs([&](waypoints& record) {
    ++by_quality[record.gga_fix_quality];
    both += record.gga_flag && record.rmc_flag;
    gga_only += record.gga_flag && !record.rmc_flag;
    rmc_only += !record.gga_flag && record.rmc_flag;
    with_satellites += record.gsv_seen;
    for (int row = 0; row < kSatelliteRowCount; ++row) {
      const SatelliteEntry& satellite = record.satellites[static_cast<std::size_t>(row)];
      if (satellite.in_view != 1) continue;
      SystemCounts& counts = by_system[static_cast<std::size_t>(SatelliteOfRow(row).system)];
      ++counts.rows;
      counts.snr_zero += satellite.snr == 0;
      counts.used += satellite.used;
    }
    last = record.date_text + " " + record.time_text;
    if (first.empty()) first = last;
  });
  try {
    ProgressGauge gauge(inputs.TotalSize(), observer);
    ReadLogs(inputs, epochs, assembler, gauge, observer, clock);
    epochs.Finish();
  } catch (const TrackmintError& error) {
    std::fprintf(stderr, "epoch_summary: %s\n", error.what());
    return 1;
  }
  std::printf(
      "%s: %llu epochs (%d GGA and RMC, %d GGA only, %d RMC only, %d with satellites in view)\n",
      argv[1], static_cast<unsigned long long>(epochs.Count()), both, gga_only, rmc_only,
      with_satellites);
  for (const auto& [quality, count] : by_quality)
    std::printf("  GGA quality %d: %d epochs\n", quality, count);
  for (std::size_t system = 0; system < by_system.size(); ++system) {
    const SystemCounts& counts = by_system[system];
    if (counts.rows == 0) continue;
    std::printf("  %c satellite rows: %d (%d with SNR 0, %d used)\n", kSystemRows[system].letter,
                counts.rows, counts.snr_zero, counts.used);
  }
  if (epochs.Count() > 0) {
    std::printf("  first epoch %s, last epoch %s\n", first.c_str(), last.c_str());
  }
  return 0;
}
