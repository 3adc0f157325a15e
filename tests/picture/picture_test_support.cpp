#include "picture_test_support.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace trackmint::testing {

DecodedPicture::DecodedPicture(const std::vector<unsigned char>& png)
    : m_png(DecodePng(std::string(png.begin(), png.end()))) {
  if (!m_png.problem.empty()) throw std::runtime_error("libpng: " + m_png.problem);
  if (m_png.bit_depth != 8) throw std::runtime_error("not 8 bits a channel");
  // RGB (2) or RGBA (6).
  m_channels = m_png.color_type == 2 ? 3 : m_png.color_type == 6 ? 4 : 0;
  if (m_channels == 0) throw std::runtime_error("neither RGB nor RGBA");
}

WindowColour DecodedPicture::At(double x, double y) const {
  const auto column = static_cast<long>(std::floor(x));
  const auto row = static_cast<long>(std::floor(y));
  if (column < 0 || row < 0 || column >= static_cast<long>(m_png.width) ||
      row >= static_cast<long>(m_png.height)) {
    throw std::out_of_range("no such pixel");
  }
  const std::size_t at =
      (static_cast<std::size_t>(row) * m_png.width + static_cast<std::size_t>(column)) *
      static_cast<std::size_t>(m_channels);
  return MakeWindowColour(m_png.pixels[at], m_png.pixels[at + 1], m_png.pixels[at + 2]);
}

int DecodedPicture::CountNotWhite(int x0, int y0, int x1, int y1) const {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (At(x, y) != 0xFFFFFF) ++count;
    }
  }
  return count;
}

TrackVertex Vertex(double longitude, double latitude, IconSlot slot, std::int32_t time_of_day_ms,
                   std::uint16_t day, std::uint8_t satellites) {
  TrackVertex vertex;
  vertex.longitude = longitude;
  vertex.latitude = latitude;
  vertex.slot = TrackVertex::SlotByte(slot);
  vertex.time_of_day_ms = time_of_day_ms;
  vertex.day = day;
  vertex.satellites = satellites;
  return vertex;
}

double MetresPerDegree() {
  return kEarthRadius * std::numbers::pi / 180;
}

}  // namespace trackmint::testing
