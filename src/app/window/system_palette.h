#pragma once

#include <QColor>
#include <QPalette>

#include "base/window_colour.h"

namespace trackmint {

// The plain value of a window colour on this desktop: a system colour (top bit set) becomes the
// colour of the palette role that plays its part; an index with no such role keeps its classic
// value. A plain colour comes back unchanged.
WindowColour ResolveSystemColour(const QPalette& palette, WindowColour colour);

QColor ToQColor(WindowColour plain_colour);

}  // namespace trackmint
