#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/window_colour.h"

namespace trackmint {

enum class TextAlign { Left, Centre, Right };
enum class FontWeight { Normal, Bold };

// A white image of the picture's size with Cairo drawing on it, in the DejaVu Sans face, and its
// PNG. Cairo is asked for nothing that depends on a clock or on chance, so the same drawing gives
// the same bytes.
class Canvas {
 public:
  Canvas(int width, int height);

  cairo_t* Cairo() const { return m_cairo.get(); }

  void SetColour(WindowColour colour) const;
  void SetFont(double size, FontWeight weight = FontWeight::Normal) const;
  double TextWidth(std::string_view text) const;
  // Text from outside (a file name, a title) in a form Cairo takes: valid UTF-8, each byte that
  // is not part of it and each control character made "?". Cairo refuses invalid UTF-8 and then
  // draws nothing more.
  static std::string ShowableText(std::string_view text);
  // The text, with its end cut off and "…" put in its place when it is wider than max_width.
  std::string FittedText(std::string_view text, double max_width) const;
  // Draws text (already showable) in the current colour and font at the baseline.
  void DrawText(double x, double baseline, std::string_view text,
                TextAlign align = TextAlign::Left) const;

  // The PNG of what was drawn. Throws TrackmintError when Cairo failed at any step.
  std::vector<unsigned char> Png() const;

 private:
  struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  };
  struct CairoDeleter {
    void operator()(cairo_t* cairo) const { cairo_destroy(cairo); }
  };

  std::unique_ptr<cairo_surface_t, SurfaceDeleter> m_surface;
  std::unique_ptr<cairo_t, CairoDeleter> m_cairo;
};

}  // namespace trackmint
