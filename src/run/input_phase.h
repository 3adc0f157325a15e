#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "nmea/nmea.h"
#include "run/epoch_stream.h"
#include "run/progress_gauge.h"
#include "run/run_observer.h"

namespace trackmint {

inline constexpr std::size_t kInputBlockSize = 1024;

// Reads the open log to its end in 1024-byte blocks into the epochs. After each block read the
// observer has its turn; every byte moves the gauge by the progress rule and goes through the
// assembler, every checked sentence to its parser. A read error throws: no epoch list is ever made
// from half a log. input_path names the file in that message. Returns the number of sentences with
// a right checksum that the log held.
std::uint64_t ReadEpochList(std::FILE* input, const std::string& input_path, Epochs& epochs,
                            NMEA& assembler, ProgressGauge& gauge, RunObserver& observer,
                            const Clock& clock);

}  // namespace trackmint
