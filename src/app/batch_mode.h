#pragma once

#include <cstdio>

#include "app/command_line.h"
#include "base/clock.h"
#include "nmea/nmea.h"

namespace trackmint {

// One conversion without a window, as the command line asks: the settings from the third
// argument, or from the default settings file, or the built-in defaults; relative names from the
// current directory. Prints the KMZ's path and the waypoint count to out, messages to err, and
// returns the exit status: 0 when the KMZ was written, 1 otherwise, 128 + the signal's number
// when SIGINT, SIGTERM or SIGHUP stopped it.
int RunBatch(const CommandLine& command, const std::string& executable_path, NMEA& assembler,
             const Clock& clock, std::FILE* out, std::FILE* err);

}  // namespace trackmint
