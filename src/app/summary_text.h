#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kml/document_summary.h"

namespace trackmint {

// The summary of a run as lines a person reads: the time span of the placemarks, the epochs and
// the placemarks, the placemarks of each fix class with their share, the length of the valid
// track and the highest speed. The batch mode prints them, the window's closing message shows
// them under its usual text.
std::vector<std::string> SummaryLines(const DocumentSummary& summary);

// When a document holds more placemarks than a globe loads in reasonable time: how long it takes,
// and the smallest round arrow interval that would keep fewer than 5,000 of them over the span,
// e.g. "57,600 placemarks take a globe about a minute to load; --interval 15 keeps about 3,800".
std::optional<std::string> ViewingHint(const DocumentSummary& summary);

// When the fixed date took the place of receiver dates that differ from it, the line that says so
// and how to keep them.
std::optional<std::string> FixedDateNote(const DocumentSummary& summary,
                                         const std::string& fixed_date);

}  // namespace trackmint
