#pragma once

#include <string>

#include "base/window_colour.h"
#include "kmz/icon_png.h"
#include "run/run_host.h"

namespace trackmint {

// Makes one arrow icon: the built-in arrow in the colour (a system colour is resolved by the
// host), written as "<decimal RGB value>.png" into the directory (without a trailing separator;
// empty for the current directory). Returns the file name without the directory. A file of
// that name is replaced; one that cannot be created throws "Cannot create file <path>".
std::string MakeArrowIcon(WindowColour colour, const std::string& directory, const RunHost& host);

// The file name of the icon of a plain RGB colour: "255.png" for red.
std::string IconFileName(WindowColour rgb);

// Gives every pixel that is not pure white the colour; alpha and the white frame stay.
void RecolourArrow(ArrowPicture& picture, WindowColour rgb);

}  // namespace trackmint
