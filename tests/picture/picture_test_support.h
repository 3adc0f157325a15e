#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/window_colour.h"
#include "nmea/fix_class.h"
#include "picture/run_picture.h"
#include "support/png_reader.h"

namespace trackmint::testing {

// A picture read back by libpng: its pixels as colours.
class DecodedPicture {
 public:
  explicit DecodedPicture(const std::vector<unsigned char>& png);

  const DecodedPng& Png() const { return m_png; }
  // The colour of the pixel that holds the point (x, y), in the picture's pixel coordinates.
  WindowColour At(double x, double y) const;
  // How many pixels of the rectangle from (x0, y0) to (x1, y1), ends excluded, are not white.
  int CountNotWhite(int x0, int y0, int x1, int y1) const;

 private:
  DecodedPng m_png;
  int m_channels = 0;
};

TrackVertex Vertex(double longitude, double latitude, IconSlot slot,
                   std::int32_t time_of_day_ms = TrackVertex::kNoTime,
                   std::uint16_t day = TrackVertex::kNoDay, std::uint8_t satellites = 0);

// The WGS-84 mean radius, (2a + b) / 3, in metres, and the metres of a degree along it.
inline constexpr double kEarthRadius = 6371008.8;
double MetresPerDegree();

}  // namespace trackmint::testing
