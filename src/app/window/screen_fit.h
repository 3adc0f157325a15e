#pragma once

#include <QPoint>
#include <QRect>

namespace trackmint {

// Where a window's frame goes so that it is whole on a screen: where it is when it already fits
// inside the screen's available area (the screen less its panels and docks); otherwise moved just
// enough, on each axis the least that brings it inside. On an axis where the frame is larger than
// the area it starts at the area's start, so its title bar and close button stay reachable.
QPoint FitOnScreen(const QRect& frame, const QRect& available);

}  // namespace trackmint
