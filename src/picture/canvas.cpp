#include "picture/canvas.h"

#include <new>
#include <string>

#include "base/trackmint_error.h"
#include "base/utf8.h"

namespace trackmint {
namespace {

constexpr const char* kFontFace = "DejaVu Sans";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

[[noreturn]] void ThrowCairoError(cairo_status_t status) {
  throw TrackmintError(std::string("Can't draw the picture: ") + cairo_status_to_string(status));
}

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
  auto* png = static_cast<std::vector<unsigned char>*>(closure);
  try {
    png->insert(png->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_NO_MEMORY;
  }
  return CAIRO_STATUS_SUCCESS;
}

bool IsControl(char32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point < 0xA0);
}

}  // namespace

Canvas::Canvas(int width, int height)
    : m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      m_cairo(cairo_create(m_surface.get())) {
  if (const cairo_status_t status = cairo_status(m_cairo.get())) ThrowCairoError(status);
  cairo_set_source_rgb(Cairo(), 1, 1, 1);
  cairo_paint(Cairo());
  cairo_select_font_face(Cairo(), kFontFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
}

void Canvas::SetColour(WindowColour colour) const {
  cairo_set_source_rgb(Cairo(), RedOf(colour) / 255.0, GreenOf(colour) / 255.0,
                       BlueOf(colour) / 255.0);
}

void Canvas::SetFont(double size, FontWeight weight) const {
  cairo_select_font_face(
      Cairo(), kFontFace, CAIRO_FONT_SLANT_NORMAL,
      weight == FontWeight::Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(Cairo(), size);
}

double Canvas::TextWidth(std::string_view text) const {
  const std::string terminated(text);
  cairo_text_extents_t extents{};
  cairo_text_extents(Cairo(), terminated.c_str(), &extents);
  return extents.x_advance;
}

std::string Canvas::ShowableText(std::string_view text) {
  std::string showable;
  showable.reserve(text.size());
  while (!text.empty()) {
    char32_t code_point = 0;
    const std::size_t length = DecodeUtf8(text, code_point);
    // A byte that begins no character is one "?", a control character whole is another.
    if (length == 0 || IsControl(code_point)) {
      showable += '?';
    } else {
      showable.append(text.substr(0, length));
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return showable;
}

std::string Canvas::FittedText(std::string_view text, double max_width) const {
  if (TextWidth(text) <= max_width) return std::string(text);
  // The longest run of whole characters from the start that fits with the ellipsis, found by
  // halving: a longer run is never narrower.
  std::vector<std::size_t> ends;
  for (std::size_t at = 1; at <= text.size(); ++at) {
    if (at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
      ends.push_back(at);
    }
  }
  std::size_t fitting = 0;  // characters known to fit
  std::size_t too_many = ends.size();
  while (too_many - fitting > 1) {
    const std::size_t middle = (fitting + too_many) / 2;
    if (TextWidth(std::string(text.substr(0, ends[middle - 1])) + std::string(kEllipsis)) <=
        max_width) {
      fitting = middle;
    } else {
      too_many = middle;
    }
  }
  return std::string(text.substr(0, fitting == 0 ? 0 : ends[fitting - 1])) + std::string(kEllipsis);
}

void Canvas::DrawText(double x, double baseline, std::string_view text, TextAlign align) const {
  double left = x;
  if (align == TextAlign::Centre) left -= TextWidth(text) / 2;
  if (align == TextAlign::Right) left -= TextWidth(text);
  cairo_move_to(Cairo(), left, baseline);
  const std::string terminated(text);
  cairo_show_text(Cairo(), terminated.c_str());
}

std::vector<unsigned char> Canvas::Png() const {
  if (const cairo_status_t status = cairo_status(Cairo())) ThrowCairoError(status);
  cairo_surface_flush(m_surface.get());
  std::vector<unsigned char> png;
  if (const cairo_status_t status =
          cairo_surface_write_to_png_stream(m_surface.get(), AppendPng, &png)) {
    ThrowCairoError(status);
  }
  return png;
}

}  // namespace trackmint
