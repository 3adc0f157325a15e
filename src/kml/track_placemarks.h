#pragma once

#include <string_view>

#include "kml/document_stream.h"
#include "nmea/waypoints.h"
#include "run/epoch_list.h"

namespace trackmint {

// An epoch the receiver marked valid: both sentences with status "A", GGA alone with a fix, or
// RMC alone with status "A". Stricter than the waypoint selection: both sentences with status "V"
// make no vertex whatever the fix quality.
bool IsValidTrackEpoch(const waypoints& record);

// The valid track: one line through the valid epochs, in list order. The name is the placemark's
// name and its style reference. An empty list writes nothing.
void WriteNormalTrack(DocumentStream& stream, const EpochList& epochs, std::string_view name);

// The second line through every epoch, valid or not; written even for an empty list.
void WriteIncorrectTrack(DocumentStream& stream, const EpochList& epochs, std::string_view name);

}  // namespace trackmint
