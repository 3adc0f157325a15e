#pragma once

#include <string_view>

#include "base/clock.h"
#include "nmea/waypoints.h"

namespace trackmint {

// Each parser reads one sentence with a right checksum (from "$" to the checksum digits) into a
// position record. They never fail and never report: an empty or missing field leaves its
// record field as it was. GGA and RMC are given a fresh record, the others the epoch's last one.
void ParseGGA(std::string_view sentence, waypoints& record);
void ParseRMC(std::string_view sentence, waypoints& record, const Clock& clock);
void ParseGSA(std::string_view sentence, waypoints& record);
void ParseGSV(std::string_view sentence, waypoints& record);
void ParseRMS(std::string_view sentence, waypoints& record);

}  // namespace trackmint
