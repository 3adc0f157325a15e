#pragma once

#include <cstdint>
#include <string_view>

#include "kml/document_stream.h"
#include "nmea/waypoints.h"

namespace trackmint {

// The placemark of one epoch in the WayPoints folder: the description with the fix and the
// satellites in view, the view of the point, the time stamp, the arrow icon turned to the course
// over ground at the icon scale, and the point (extruded to the ground when the height is shown).
void WriteWaypointPlacemark(DocumentStream& stream, const waypoints& record, std::int32_t number,
                            std::string_view icon_file_name, std::string_view icon_scale_text,
                            bool show_height);

}  // namespace trackmint
