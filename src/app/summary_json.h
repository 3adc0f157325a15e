#pragma once

#include <string>
#include <string_view>

#include "kml/document_summary.h"

namespace trackmint {

// A text as a JSON string, quotes included: valid UTF-8 stays as it is, quotes, backslashes and
// control characters are escaped, and a byte that is not UTF-8 becomes U+FFFD.
std::string JsonString(std::string_view text);

// The summary of a run as one JSON object on one line, for scripts that convert many logs:
// kmz, input, epochs, placemarks, first, last, duration_seconds, fix_classes, track_km,
// max_speed_kmh (the manual page says what each holds).
std::string SummaryJson(const DocumentSummary& summary, std::string_view kmz_path,
                        std::string_view input_path);

}  // namespace trackmint
