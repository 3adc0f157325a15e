#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>
#include <string>

#include "picture/map_frame.h"
#include "picture/picture_layout.h"
#include "picture/picture_parts.h"
#include "picture/round_numbers.h"
#include "picture/segment_path.h"

namespace trackmint {
namespace {

void DrawSegments(const Canvas& canvas, const RunPicture& picture, const MapFrame& frame,
                  const GapRule& gaps, PixelPoint& first, PixelPoint& last) {
  cairo_t* cairo = canvas.Cairo();
  cairo_set_line_width(cairo, kTrackLineWidth);
  cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
  SegmentPath path(canvas);
  LongitudeUnwrapper unwrapper;
  // The vertex before the one at hand, while it is on the map.
  std::optional<PixelPoint> previous;
  WindowColour previous_colour = 0;
  bool previous_reached = false;  // by a segment from the one before it
  bool any = false;
  for (std::size_t i = 0; i < picture.vertices.size(); ++i) {
    const TrackVertex& vertex = picture.vertices[i];
    const bool mappable = IsMappable(vertex);
    const bool reached =
        mappable && previous && !gaps.IsGap(StepMilliseconds(picture.vertices[i - 1], vertex));
    if (previous && !previous_reached && !reached) {
      path.AddDot(*previous, previous_colour, kLoneVertexDiameter);
    }
    if (!mappable) {
      previous.reset();
      continue;
    }
    const PixelPoint point = frame.ToPixel(unwrapper.Next(vertex.longitude), vertex.latitude);
    const WindowColour colour = SlotColour(picture, vertex.slot);
    if (reached) path.Add(*previous, point, colour);
    if (!any) first = point;
    any = true;
    last = point;
    previous = point;
    previous_colour = colour;
    previous_reached = reached;
  }
  if (previous && !previous_reached) path.AddDot(*previous, previous_colour, kLoneVertexDiameter);
  path.Stroke();
}

void DrawMarks(const Canvas& canvas, PixelPoint first, PixelPoint last) {
  cairo_t* cairo = canvas.Cairo();
  cairo_new_path(cairo);
  cairo_arc(cairo, first.x, first.y, kStartMarkRadius, 0, 2 * std::numbers::pi);
  canvas.SetColour(0xFFFFFF);
  cairo_fill_preserve(cairo);
  canvas.SetColour(kTextColour);
  cairo_set_line_width(cairo, kStartMarkRingWidth);
  cairo_stroke(cairo);
  cairo_rectangle(cairo, last.x - kEndMarkSide / 2, last.y - kEndMarkSide / 2, kEndMarkSide,
                  kEndMarkSide);
  cairo_fill(cairo);
}

void DrawScaleBar(const Canvas& canvas, double pixels_per_metre) {
  const double metres = RoundLengthAtMost(kScaleBarMaxPixels / pixels_per_metre);
  const double length = metres * pixels_per_metre;
  cairo_t* cairo = canvas.Cairo();
  canvas.SetColour(kTextColour);
  cairo_set_line_width(cairo, 2);
  cairo_set_line_cap(cairo, CAIRO_LINE_CAP_BUTT);
  // The bar with an upright stroke at each end.
  cairo_move_to(cairo, kScaleBarLeft, kScaleBarY - 6);
  cairo_line_to(cairo, kScaleBarLeft, kScaleBarY);
  cairo_line_to(cairo, kScaleBarLeft + length, kScaleBarY);
  cairo_line_to(cairo, kScaleBarLeft + length, kScaleBarY - 6);
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cairo);
  canvas.SetFont(kSmallFontSize);
  canvas.DrawText(kScaleBarLeft + length / 2, kScaleBarY - 6, MetresText(metres),
                  TextAlign::Centre);
}

void DrawNorthArrow(const Canvas& canvas) {
  cairo_t* cairo = canvas.Cairo();
  canvas.SetColour(kTextColour);
  cairo_set_line_width(cairo, 2);
  cairo_move_to(cairo, kNorthArrowX, kNorthArrowBaseY);
  cairo_line_to(cairo, kNorthArrowX, kNorthArrowTipY + 8);
  cairo_stroke(cairo);
  cairo_move_to(cairo, kNorthArrowX, kNorthArrowTipY);
  cairo_line_to(cairo, kNorthArrowX - 6, kNorthArrowTipY + 12);
  cairo_line_to(cairo, kNorthArrowX + 6, kNorthArrowTipY + 12);
  cairo_close_path(cairo);
  cairo_fill(cairo);
  canvas.SetFont(kTextFontSize, FontWeight::Bold);
  canvas.DrawText(kNorthArrowX - 10, kNorthArrowBaseY - 6, "N", TextAlign::Right);
}

void DrawMapFrame(const Canvas& canvas) {
  cairo_t* cairo = canvas.Cairo();
  canvas.SetColour(kFrameColour);
  cairo_set_line_width(cairo, 1);
  // On the pixels' middles, so that the frame is one sharp pixel wide.
  cairo_rectangle(cairo, kMapRect.x + 0.5, kMapRect.y + 0.5, kMapRect.width - 1,
                  kMapRect.height - 1);
  cairo_stroke(cairo);
}

}  // namespace

WindowColour SlotColour(const RunPicture& picture, std::uint8_t slot) {
  if (slot >= picture.class_colours.size()) return kGreyIconColour;
  // A system colour's flag is no part of a plain colour.
  return picture.class_colours[slot] & 0xFFFFFFu;
}

bool DrawTrackMap(const Canvas& canvas, const RunPicture& picture, const GapRule& gaps) {
  const MapFrame frame(picture.vertices);
  if (frame.Empty()) return false;
  DrawMapFrame(canvas);
  cairo_t* cairo = canvas.Cairo();
  cairo_save(cairo);
  cairo_rectangle(cairo, kMapRect.x + 1, kMapRect.y + 1, kMapRect.width - 2, kMapRect.height - 2);
  cairo_clip(cairo);
  PixelPoint first{0, 0};
  PixelPoint last{0, 0};
  DrawSegments(canvas, picture, frame, gaps, first, last);
  DrawMarks(canvas, first, last);
  cairo_restore(cairo);
  DrawScaleBar(canvas, frame.PixelsPerMetre());
  DrawNorthArrow(canvas);
  return true;
}

void DrawNoFixMap(const Canvas& canvas, const RunPicture& picture) {
  DrawMapFrame(canvas);
  canvas.SetColour(kTextColour);
  canvas.SetFont(kTextFontSize + 2);
  const std::string name = Canvas::ShowableText(picture.input_name);
  const std::string before = "no epoch in ";
  const std::string after = " has a usable fix";
  // A long name loses its end, the sentence around it stays whole.
  const double room = kMapRect.width - 40 - canvas.TextWidth(before + after);
  canvas.DrawText(kMapRect.CentreX(), kMapRect.CentreY(),
                  before + canvas.FittedText(name, room) + after, TextAlign::Centre);
}

}  // namespace trackmint
