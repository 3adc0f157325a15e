#pragma once

#include "kml/document_stream.h"

namespace trackmint {

// One position as KML's coordinates give it: "longitude,latitude,altitude", six decimals each.
void WriteCoordinates(DocumentStream& stream, double longitude, double latitude, double altitude);

}  // namespace trackmint
