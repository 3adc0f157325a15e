#include "app/window/screen_fit.h"

#include <algorithm>

namespace trackmint {
namespace {

// One axis: the start of a piece of the given length, kept inside the area.
int FitAxis(int start, int length, int area_start, int area_length) {
  if (length > area_length) return area_start;
  return std::clamp(start, area_start, area_start + area_length - length);
}

}  // namespace

QPoint FitOnScreen(const QRect& frame, const QRect& available) {
  return {FitAxis(frame.x(), frame.width(), available.x(), available.width()),
          FitAxis(frame.y(), frame.height(), available.y(), available.height())};
}

}  // namespace trackmint
