#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trackmint {

// Where a run stands, as its host shows it: the window in its left status panel, the batch mode
// in its progress line.
enum class RunPhase {
  Started,           // both panels blank, the gauge at 0
  Reading,           // the log is read and its placemarks written
  Writing,           // the tracks and the end of the document
  Packing,           // the icons and the end of the KMZ
  Finished,          // the KMZ is in place
  InputNotOpened,    // the run ended before it began
  OutputNotCreated,  // the run ended before it began
  Failed,            // an error ended the run; it goes to the error display
};

// The left panel's text for each phase, the one place these texts are written.
std::string_view PhaseText(RunPhase phase);

// The right panel's text once the placemarks are counted: "Waypoints 12".
std::string WaypointsText(std::int32_t placemarks);

}  // namespace trackmint
