#pragma once

#include "base/window_colour.h"

namespace trackmint {

// The plain value of a system colour in the classic desktop scheme; what a front end with no
// desktop (the batch mode) uses. A plain colour comes back unchanged, an unknown index gives black.
WindowColour ClassicSystemColour(WindowColour colour);

}  // namespace trackmint
