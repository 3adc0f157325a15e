#pragma once

#include <string_view>

#include "nmea/waypoints.h"

namespace trackmint {

// Rules shared by the GGA and RMC parsers.

// The time text becomes the field's text unchanged, unless the field is empty.
void ApplyTime(std::string_view field, waypoints& record);

// ddmm.mmmm with N/S, and dddmm.mmmm with E/W. An empty position field leaves the record's
// coordinate as it was and the hemisphere is not looked at.
void ApplyLatitude(std::string_view position, std::string_view hemisphere, waypoints& record);
void ApplyLongitude(std::string_view position, std::string_view hemisphere, waypoints& record);

}  // namespace trackmint
