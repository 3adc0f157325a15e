#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kml/document_summary.h"

namespace trackmint {

// A text as a JSON string, quotes included: valid UTF-8 stays as it is, quotes, backslashes and
// control characters are escaped, and a byte that is not UTF-8 becomes U+FFFD.
std::string JsonString(std::string_view text);

// The files of a run: the KMZ, the logs read into it in their order, and the picture and the
// table of the placemarks when they were written (empty when not).
struct RunFiles {
  std::string kmz;
  std::vector<std::string> inputs;
  std::string preview;
  std::string csv;
};

// The summary of a run as one JSON object on one line, for scripts that convert many logs:
// kmz, input (the first log), inputs, preview, csv, epochs, epochs_outside_window,
// placemarks_thinned, placemarks, first, last, duration_seconds, fix_classes, track_km,
// max_speed_kmh, receiver_dates_replaced (the manual page says what each holds).
std::string SummaryJson(const DocumentSummary& summary, const RunFiles& files);

}  // namespace trackmint
