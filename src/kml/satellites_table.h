#pragma once

#include "kml/document_stream.h"
#include "nmea/waypoints.h"

namespace trackmint {

// The description's second table: one row per satellite in view, by system (GPS, SBAS, GLONASS,
// Galileo, BeiDou, QZSS, NavIC) and number, a used satellite's number marked with "*".
void WriteSatellitesTable(DocumentStream& stream, const waypoints& record);

}  // namespace trackmint
