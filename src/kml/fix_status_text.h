#pragma once

#include <cstdint>

#include "kml/document_stream.h"
#include "nmea/waypoints.h"

namespace trackmint {

// The description's GGA status: the name of the fix quality with the quality in brackets, e.g.
// "RTK Fix (4)"; "None" for a quality without a name or a record no GGA sentence reached.
void WriteGgaStatusText(DocumentStream& stream, const waypoints& record);

// The description's GSA status: "N/A (1)", "2D (2)", "3D (3)", else the bare fix type (0 when no
// GSA sentence reached the record).
void WriteGsaStatusText(DocumentStream& stream, std::int32_t gsa_fix_type);

}  // namespace trackmint
