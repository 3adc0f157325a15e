#pragma once

#include "nmea/fix_class.h"
#include "nmea/waypoints.h"

namespace trackmint {

// Which sentences made an epoch a waypoint: they decide its icon and its date.
enum class WaypointSource {
  None,       // no usable fix: no placemark
  GgaAndRmc,  // both, with status "A" or a fix quality
  GgaOnly,    // GGA alone with a fix quality
  RmcOnly,    // RMC alone with status "A"
};

WaypointSource SelectWaypoint(const waypoints& record);

// The icon of a selected epoch: by fix quality or mode indicator, whichever names a class first
// (both), by the quality alone (GGA only) or by the mode indicator alone (RMC only); the grey icon
// when neither names one. Never the Invalid icon.
IconSlot ChooseIcon(const waypoints& record, WaypointSource source);

}  // namespace trackmint
