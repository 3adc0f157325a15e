#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "nmea/nmea.h"
#include "run/epoch_stream.h"
#include "run/run_host.h"

namespace trackmint {

inline constexpr std::size_t kInputBlockSize = 1024;

// The gauge step for a log: one gauge step per hundredth of the file. A file of 1 to 99 bytes
// gives 0, so every byte moves the gauge.
std::int32_t ProgressStep(std::uint64_t file_size);

// Reads the open log to its end in 1024-byte blocks into the epochs. After each block read
// the host processes its pending events; every byte moves the gauge by the progress rule and goes
// through the assembler, every checked sentence to its parser. A read error throws: no epoch list
// is ever made from half a log. input_path names the file in that message. Returns the number of
// sentences with a right checksum that the log held.
std::uint64_t ReadEpochList(std::FILE* input, const std::string& input_path, Epochs& epochs,
                            NMEA& assembler, std::int32_t progress_step, RunHost& host,
                            const Clock& clock);

}  // namespace trackmint
