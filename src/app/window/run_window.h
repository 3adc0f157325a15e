#pragma once

#include <string>

#include "nmea/nmea.h"

namespace trackmint {

// The interactive program: builds the main window, loads the default settings file, takes the
// log (when one is named) into the Input field as a drop does, shows the window whole on its
// screen and runs the event loop. Returns the event loop's exit code, or 1 when there is no
// display to show the window on (a message on standard error says how to convert from the
// command line instead).
int RunWindow(int argc, char** argv, NMEA& assembler, const std::string& log = {});

}  // namespace trackmint
