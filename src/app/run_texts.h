#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "run/run_phase.h"

namespace trackmint {

// The status text of each phase of a run, as the window's left panel shows it and the batch
// mode's messages name the two failures: the one place these texts are written.
std::string_view PhaseText(RunPhase phase);

// The count of waypoint placemarks as the right panel and the result line show it: "Waypoints 12".
std::string WaypointsText(std::int32_t placemarks);

}  // namespace trackmint
