#pragma once

#include <cstdint>

#include "run/run_phase.h"

namespace trackmint {

// What a conversion run tells whoever started it while it works: the window shows it in its
// panels and gauge, the batch mode in its progress line. The run asks nothing of its caller; all it
// needs came in the request.
class RunObserver {
 public:
  virtual ~RunObserver() = default;

  virtual void ReportPhase(RunPhase phase) = 0;
  // The gauge, 0 to 100: 0 when the run starts and when it fails, then up by the progress rule.
  virtual void ReportProgress(int position) = 0;
  // The bytes of the logs read so far, after each block, in place of the gauge when the logs have
  // no size to give a percentage of (a pipe, a FIFO, a terminal); compressed bytes for a
  // compressed log.
  virtual void ReportBytesRead(std::uint64_t bytes) = 0;
  // The waypoint placemarks written, once the last epoch is in the document.
  virtual void ReportPlacemarks(std::int32_t placemarks) = 0;
  // The caller's turn, after each block of the log and before the KMZ takes its place: the window
  // repaints and takes its events; a caller that was asked to stop throws here, and the run ends
  // as after any error, keeping the earlier KMZ.
  virtual void TakeTurn() = 0;
};

}  // namespace trackmint
