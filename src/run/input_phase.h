#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "nmea/nmea.h"
#include "run/block_read.h"
#include "run/epoch_stream.h"
#include "run/log_inputs.h"
#include "run/progress_gauge.h"
#include "run/run_observer.h"

namespace trackmint {

// Reads the open log to its end in 1024-byte blocks into the epochs. After each block read the
// observer has its turn; every byte moves the gauge by the progress rule and goes through the
// assembler, every checked sentence to its parser. A read error throws: no epoch list is ever made
// from half a log. input_path names the file in that message. Returns the number of sentences with
// a right checksum that the log held. The file's bytes are taken as they are; ReadLogs is the
// reader that decodes compressed logs.
std::uint64_t ReadEpochList(std::FILE* input, const std::string& input_path, Epochs& epochs,
                            NMEA& assembler, ProgressGauge& gauge, RunObserver& observer,
                            const Clock& clock);

// Reads the logs one after the other, each plain or compressed (LogReader), into the epochs as if
// they were one log: the epoch open at the end of one goes on into the next when that one starts
// with the same time, but a sentence cut off at the end of a log is dropped, not joined with the
// next one's first bytes. Blocks, turns and the gauge go as in ReadEpochList, the gauge over the
// file bytes behind each block and the short block at the end of the last log only; each log is
// closed once read. A read error or damaged compressed data throw. Returns the number of sentences
// with a right checksum that the logs held.
std::uint64_t ReadLogs(LogInputs& inputs, Epochs& epochs, NMEA& assembler, ProgressGauge& gauge,
                       RunObserver& observer, const Clock& clock);

}  // namespace trackmint
