#include "picture/segment_path.h"

#include <cmath>
#include <numbers>

namespace trackmint {

void SegmentPath::Add(PixelPoint from, PixelPoint to, WindowColour colour) {
  if (m_points == 0 || from != m_last) {
    Stroke();
    m_colour = colour;
    cairo_move_to(m_canvas.Cairo(), from.x, from.y);
    m_drawn = from;
    m_points = 1;
  }
  m_last = to;
  m_last_colour = colour;
  if (std::hypot(to.x - m_drawn.x, to.y - m_drawn.y) >= kSmallestStep) DrawToLast();
  // The next segment goes on from here, in a new path.
  if (m_points >= kMaxPoints) Stroke();
}

void SegmentPath::AddDot(PixelPoint at, WindowColour colour, double diameter) {
  Stroke();
  m_canvas.SetColour(colour);
  cairo_new_path(m_canvas.Cairo());
  cairo_arc(m_canvas.Cairo(), at.x, at.y, diameter / 2, 0, 2 * std::numbers::pi);
  cairo_fill(m_canvas.Cairo());
}

void SegmentPath::Stroke() {
  if (m_points == 0) return;
  // A path of segments without length still shows its spot, as a dot.
  if (m_drawn != m_last || m_points == 1 || m_last_colour != m_colour) DrawToLast();
  m_canvas.SetColour(m_colour);
  cairo_stroke(m_canvas.Cairo());
  m_points = 0;
}

void SegmentPath::DrawToLast() {
  cairo_t* cairo = m_canvas.Cairo();
  if (m_last_colour != m_colour) {
    // Another colour goes on from where the path ends, in a path of its own.
    if (m_points > 1) {
      m_canvas.SetColour(m_colour);
      cairo_stroke(cairo);
    } else {
      cairo_new_path(cairo);
    }
    cairo_move_to(cairo, m_drawn.x, m_drawn.y);
    m_colour = m_last_colour;
    m_points = 1;
  }
  cairo_line_to(cairo, m_last.x, m_last.y);
  m_drawn = m_last;
  ++m_points;
}

}  // namespace trackmint
