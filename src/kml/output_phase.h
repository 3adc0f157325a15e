#pragma once

#include <cstdint>

#include "base/clock.h"
#include "kml/document_stream.h"
#include "run/epoch_list.h"
#include "run/run_host.h"

namespace trackmint {

// The body and the end of the document, after the input phase: the WayPoints folder with one
// placemark per epoch with a usable fix, the valid track, with "Use all the waypoints" the track
// through every epoch, and the closing lines. Settings are read from the host as they are needed.
// The date text of each epoch with a GGA fix is set here (fixed date with "^", or the clock's date
// with "*" for a GGA-only epoch). Reports "Creation of KML-file" and "Waypoints N" to the host and
// returns N, the number of waypoint placemarks.
std::int32_t WriteOutputPhase(DocumentStream& stream, EpochList& epochs, RunHost& host,
                              const Clock& clock);

}  // namespace trackmint
