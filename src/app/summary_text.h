#pragma once

#include <string>
#include <vector>

#include "kml/document_summary.h"

namespace trackmint {

// The summary of a run as lines a person reads: the time span of the placemarks, the epochs and
// the placemarks, the placemarks of each fix class with their share, the length of the valid
// track and the highest speed. The batch mode prints them, the window's closing message shows
// them under its usual text.
std::vector<std::string> SummaryLines(const DocumentSummary& summary);

// A duration as hours, minutes and seconds ("1:02:03.5"), the seconds with the decimals given.
std::string DurationText(double seconds, int decimals);

}  // namespace trackmint
