// Speed of the output phase: reads a log into the epoch list (not timed), then writes the whole
// KML document to a file, as the run does, and reports MB of KML per second (best of the runs).
//
//   bench_output_phase LOG [RUNS] [DOCUMENT]
//
// DOCUMENT defaults to /tmp/bench_output_phase.kml and is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "../tools/quiet_host.h"
#include "base/clock.h"
#include "base/trackmint_error.h"
#include "kml/document_frame.h"
#include "kml/document_stream.h"
#include "kml/line_style.h"
#include "kml/output_phase.h"
#include "run/input_phase.h"

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

trackmint::EpochList ReadLog(const char* path, trackmint::RunHost& host,
                             const trackmint::Clock& clock) {
  File file(std::fopen(path, "rb"), std::fclose);
  if (!file) throw trackmint::TrackmintError(std::string("Can't open the input file ") + path);
  std::fseek(file.get(), 0, SEEK_END);
  const long size = std::ftell(file.get());
  std::rewind(file.get());
  trackmint::NMEA assembler;
  trackmint::EpochList epochs;
  trackmint::ReadEpochList(file.get(), path, epochs, assembler,
                           trackmint::ProgressStep(static_cast<std::uint64_t>(size)), host, clock);
  return epochs;
}

// Writes the document as the run does and returns its size in bytes.
long WriteDocument(const std::string& path, trackmint::EpochList& epochs, trackmint::RunHost& host,
                   const trackmint::Clock& clock) {
  File file(std::fopen(path.c_str(), "w"), std::fclose);
  if (!file) throw trackmint::TrackmintError("Can't create the output file " + path);
  trackmint::DocumentStream stream(file.get());
  trackmint::WriteDocumentOpening(stream);
  trackmint::WriteLineStyle(stream, host.TrackWidthText(), host.TrackColour(), "NormalTrack", host);
  trackmint::WriteOutputPhase(stream, epochs, host, clock);
  stream.Flush();
  if (stream.Failed()) throw trackmint::TrackmintError("Can't write the output file " + path);
  const long size = std::ftell(file.get());
  if (std::fclose(file.release()) != 0) {
    throw trackmint::TrackmintError("Can't close the output file " + path);
  }
  return size;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace trackmint;
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_output_phase LOG [RUNS] [DOCUMENT]  (DOCUMENT is kept)\n");
    return 2;
  }
  const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 3);
  const std::string document_path = argc > 3 ? argv[3] : "/tmp/bench_output_phase.kml";
  try {
    QuietHost host;
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
      host.SetIconFileName(static_cast<IconSlot>(slot), std::to_string(8421504 + slot) + ".png");
    }
    SystemClock clock;
    EpochList epochs = ReadLog(argv[1], host, clock);
    double best_seconds = 1e300;
    long document_size = 0;
    for (int run = 0; run < runs; ++run) {
      const auto start = std::chrono::steady_clock::now();
      document_size = WriteDocument(document_path, epochs, host, clock);
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      best_seconds = std::min(best_seconds, elapsed.count());
    }
    if (argc <= 3) std::remove(document_path.c_str());  // a document asked for is kept
    const double megabytes = static_cast<double>(document_size) / (1024.0 * 1024.0);
    std::printf("output phase: %zu epochs, %s, KML %.1f MB, best of %d: %.3f s, %.0f MB/s\n",
                epochs.size(), host.RightStatus().c_str(), megabytes, runs, best_seconds,
                megabytes / best_seconds);
  } catch (const TrackmintError& error) {
    std::fprintf(stderr, "bench_output_phase: %s\n", error.what());
    return 1;
  }
  return 0;
}
