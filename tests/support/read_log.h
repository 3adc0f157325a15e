#pragma once

#include <string>

#include "base/clock.h"
#include "support/epoch_list.h"

namespace trackmint::testing {

// The epoch list of a log file, read by the input phase as the run reads it (with its gauge
// step). Fails the test when the file cannot be opened.
EpochList ReadLogFile(const std::string& path, const Clock& clock);

// The same for one of the real receiver logs, e.g. "gpsd/nmea-rtk.log".
EpochList ReadFixtureLog(const std::string& name, const Clock& clock);

}  // namespace trackmint::testing
