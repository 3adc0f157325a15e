#pragma once

#include <cstddef>

#include "base/window_colour.h"
#include "picture/canvas.h"
#include "picture/map_frame.h"

namespace trackmint {

// Consecutive segments of one colour stroked as one path, in the order they come, so that a
// later segment covers an earlier one where they cross. With round caps and joins the path looks
// the same as its segments drawn one by one. Points closer than a quarter pixel to the last one
// drawn add nothing to see and are left out, and the path is stroked every few thousand points,
// so that a long log needs no large path. The line's width, caps and joins are the canvas's.
class SegmentPath {
 public:
  explicit SegmentPath(const Canvas& canvas) : m_canvas(canvas) {}
  SegmentPath(const SegmentPath&) = delete;
  SegmentPath& operator=(const SegmentPath&) = delete;

  void Add(PixelPoint from, PixelPoint to, WindowColour colour);
  // A point that no segment reaches: a dot of the diameter, so that it shows beside lines.
  void AddDot(PixelPoint at, WindowColour colour, double diameter);
  // Strokes what is still in the path; to be called at the end.
  void Stroke();

 private:
  static constexpr double kSmallestStep = 0.25;
  static constexpr std::size_t kMaxPoints = 4096;

  void LineToLast();

  const Canvas& m_canvas;
  WindowColour m_colour = 0;
  PixelPoint m_last{0, 0};   // where the last segment added ends
  PixelPoint m_drawn{0, 0};  // where the path ends now
  std::size_t m_points = 0;  // in the path; 0 when there is none
};

}  // namespace trackmint
