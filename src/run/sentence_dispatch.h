#pragma once

#include <string_view>

#include "base/clock.h"
#include "run/epoch_stream.h"

namespace trackmint {

// Sends one sentence with a right checksum to its parser and files the result: GGA and RMC open
// a new epoch or merge into the last one, GSA, GSV and the RMS sentences add to the last one.
// Sentences of other kinds are ignored.
void DispatchSentence(std::string_view sentence, Epochs& epochs, const Clock& clock);

// Merges a GGA or RMC record into the last record of the same time. Only the last record's two
// flags decide which half it takes; its position, time and satellites never change.
void MergeRecord(const waypoints& next, waypoints& last);

}  // namespace trackmint
