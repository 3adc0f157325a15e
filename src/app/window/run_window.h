#pragma once

#include "nmea/nmea.h"

namespace trackmint {

// The interactive program: builds the main window, loads the default settings file, shows the
// window whole on its screen and runs the event loop. Returns the event loop's exit code, or 1
// when there is no display to show the window on (a message on standard error says how to
// convert from the command line instead).
int RunWindow(int argc, char** argv, NMEA& assembler);

}  // namespace trackmint
