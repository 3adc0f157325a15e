#pragma once

#include <string>

#include "base/window_colour.h"

namespace trackmint {

// The KML form of a window colour: "FF" (opaque) and the plain colour as at least six upper-case
// hex digits. The window's byte order (blue, green, red from the top) is KML's aabbggrr already,
// so red 0000FF gives FF0000FF. The colour is a plain one: system colours are resolved before a
// run.
std::string KmlColourText(WindowColour colour);

}  // namespace trackmint
