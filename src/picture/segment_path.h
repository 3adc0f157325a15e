#pragma once

#include <cstddef>

#include "base/window_colour.h"
#include "picture/canvas.h"
#include "picture/map_frame.h"

namespace trackmint {

// Segments in the order they come, each in its colour, consecutive ones of one colour stroked as
// one path, so that a later segment covers an earlier one where they cross. With round caps and
// joins a path looks the same as its segments drawn one by one. A point closer than a quarter
// pixel to where the path ends is not drawn to: its segment, and its colour, go into the next
// one drawn, which covers it. So a long log, many points to a pixel, makes few short paths, and a
// path is stroked every few thousand points anyway. The line's width, caps and joins are the
// canvas's.
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

  // Draws from where the path ends to the end of the last segment added, in its colour.
  void DrawToLast();

  const Canvas& m_canvas;
  WindowColour m_colour = 0;  // of the path
  PixelPoint m_last{0, 0};    // where the last segment added ends
  WindowColour m_last_colour = 0;
  PixelPoint m_drawn{0, 0};  // where the path ends now
  std::size_t m_points = 0;  // in the path; 0 when there is none
};

}  // namespace trackmint
