#pragma once

#include <string_view>

#include "base/clock.h"
#include "nmea/waypoints.h"

namespace trackmint {

// Each parser reads one sentence with a right checksum (from "$" to the checksum digits) into a
// position record. They never fail and never report. GGA and RMC are given a fresh record, so an
// empty or missing field of theirs leaves 0 or an empty text. The others add to the epoch's last
// record: GSA sets the fix type from its field (0 when empty) and marks the satellites it lists as
// used; GSV keeps an elevation or azimuth already known where its own field is empty; RMS sets
// the error only from a field that is there.
void ParseGGA(std::string_view sentence, waypoints& record);
void ParseRMC(std::string_view sentence, waypoints& record, const Clock& clock);
void ParseGSA(std::string_view sentence, waypoints& record);
void ParseGSV(std::string_view sentence, waypoints& record);
void ParseRMS(std::string_view sentence, waypoints& record);

}  // namespace trackmint
