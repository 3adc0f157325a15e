#pragma once

#include <string_view>
#include <vector>

#include "base/clock.h"
#include "nmea/waypoints.h"

namespace trackmint {

// One position record per epoch, in log order. A vector doubles its capacity as it grows.
using EpochList = std::vector<waypoints>;

// Sends one sentence with a right checksum to its parser and files the result: GGA and RMC open
// a new epoch or merge into the last one, GSA, GSV and the RMS sentences add to the last one.
// Sentences of other kinds are ignored.
void DispatchSentence(std::string_view sentence, EpochList& epochs, const Clock& clock);

// Merges a GGA or RMC record into the last record of the same time. Only the last record's two
// flags decide which half it takes; its position, time and satellites never change.
void MergeRecord(const waypoints& next, waypoints& last);

}  // namespace trackmint
