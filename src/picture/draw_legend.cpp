#include <numbers>
#include <string>

#include "base/number_format.h"
#include "picture/picture_layout.h"
#include "picture/picture_parts.h"

namespace trackmint {
namespace {

void DrawSwatch(const Canvas& canvas, double baseline, WindowColour colour) {
  cairo_t* cairo = canvas.Cairo();
  const double top = baseline + kLegendSwatchDrop - kLegendSwatchSide;
  cairo_rectangle(cairo, kLegendX, top, kLegendSwatchSide, kLegendSwatchSide);
  canvas.SetColour(colour);
  cairo_fill(cairo);
  // A thin edge, so that a light colour stands out from the white.
  cairo_rectangle(cairo, kLegendX + 0.5, top + 0.5, kLegendSwatchSide - 1, kLegendSwatchSide - 1);
  canvas.SetColour(kAxisColour);
  cairo_set_line_width(cairo, 1);
  cairo_stroke(cairo);
}

void DrawRow(const Canvas& canvas, double baseline, const std::string& text) {
  canvas.SetColour(kTextColour);
  canvas.DrawText(kLegendTextX, baseline, canvas.FittedText(text, kLegendRight - kLegendTextX));
}

}  // namespace

void DrawLegend(const Canvas& canvas, const RunPicture& picture, bool with_marks) {
  canvas.SetColour(kTextColour);
  canvas.SetFont(kTextFontSize, FontWeight::Bold);
  canvas.DrawText(kLegendX, kLegendHeadingBaseline, "Placemarks by fix class");
  canvas.SetFont(kTextFontSize);
  double baseline = kLegendFirstRowBaseline;
  for (const FixClass& fix_class : kFixClasses) {
    const std::int32_t count =
        picture.placemarks_by_class[static_cast<std::size_t>(fix_class.slot)];
    if (count == 0) continue;
    DrawSwatch(canvas, baseline, SlotColour(picture, static_cast<std::uint8_t>(fix_class.slot)));
    // The share as the run's summary gives it.
    const double share = picture.placemarks > 0 ? 100.0 * count / picture.placemarks : 0;
    DrawRow(canvas, baseline,
            std::string(fix_class.summary_name) + " " + FormatDecimal(count) + " (" +
                FormatFixed(share, 1) + " %)");
    baseline += kLegendRowStep;
  }
  DrawRow(canvas, baseline,
          picture.placemarks > 0 ? "Total " + FormatDecimal(picture.placemarks) : "No placemark");
  if (!with_marks) return;
  baseline += kLegendRowStep * 1.5;

  // What the map's marks stand for.
  cairo_t* cairo = canvas.Cairo();
  const double middle_x = kLegendX + kLegendSwatchSide / 2;
  const double middle_y = baseline - 5;
  cairo_new_path(cairo);
  cairo_arc(cairo, middle_x, middle_y, kStartMarkRadius, 0, 2 * std::numbers::pi);
  canvas.SetColour(0xFFFFFF);
  cairo_fill_preserve(cairo);
  canvas.SetColour(kTextColour);
  cairo_set_line_width(cairo, kStartMarkRingWidth);
  cairo_stroke(cairo);
  DrawRow(canvas, baseline, "Start");
  baseline += kLegendRowStep;
  cairo_rectangle(cairo, middle_x - kEndMarkSide / 2, baseline - 5 - kEndMarkSide / 2, kEndMarkSide,
                  kEndMarkSide);
  cairo_fill(cairo);
  DrawRow(canvas, baseline, "End");
}

void DrawTitle(const Canvas& canvas, const RunPicture& picture) {
  canvas.SetColour(kTextColour);
  canvas.SetFont(kTitleFontSize, FontWeight::Bold);
  canvas.DrawText(
      kPictureMargin, kTitleBaseline,
      canvas.FittedText(Canvas::ShowableText(picture.title), kPictureWidth - 2 * kPictureMargin));
}

}  // namespace trackmint
