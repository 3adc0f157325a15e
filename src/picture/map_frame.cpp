#include "picture/map_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/great_circle.h"
#include "picture/picture_layout.h"

namespace trackmint {

bool IsMappable(const TrackVertex& vertex) {
  return std::isfinite(vertex.longitude) && std::isfinite(vertex.latitude) &&
         std::fabs(vertex.latitude) <= 90;
}

double LongitudeUnwrapper::Next(double longitude) {
  m_previous = m_started ? m_previous + std::remainder(longitude - m_previous, 360.0)
                         : std::remainder(longitude, 360.0);
  m_started = true;
  return m_previous;
}

MapFrame::MapFrame(const std::deque<TrackVertex>& vertices) {
  double west = 0;
  double east = 0;
  double south = 0;
  double north = 0;
  LongitudeUnwrapper unwrapper;
  for (const TrackVertex& vertex : vertices) {
    if (!IsMappable(vertex)) continue;
    const double longitude = unwrapper.Next(vertex.longitude);
    if (m_empty) {
      west = east = longitude;
      south = north = vertex.latitude;
      m_empty = false;
    }
    west = std::min(west, longitude);
    east = std::max(east, longitude);
    south = std::min(south, vertex.latitude);
    north = std::max(north, vertex.latitude);
  }
  m_centre_longitude = (west + east) / 2;
  m_centre_latitude = (south + north) / 2;
  const double metres_per_degree = kMeanEarthRadiusMetres * std::numbers::pi / 180;
  m_metres_per_degree_north = metres_per_degree;
  m_metres_per_degree_east =
      metres_per_degree * std::cos(m_centre_latitude * std::numbers::pi / 180);
  // A side of no extent sets no limit.
  const double width_metres = (east - west) * m_metres_per_degree_east;
  const double height_metres = (north - south) * m_metres_per_degree_north;
  m_pixels_per_metre = kMaxPixelsPerMetre;
  if (width_metres > 0)
    m_pixels_per_metre = std::min(m_pixels_per_metre, kMapFitRect.width / width_metres);
  if (height_metres > 0) {
    m_pixels_per_metre = std::min(m_pixels_per_metre, kMapFitRect.height / height_metres);
  }
}

PixelPoint MapFrame::ToPixel(double unwrapped_longitude, double latitude) const {
  const double east = (unwrapped_longitude - m_centre_longitude) * m_metres_per_degree_east;
  const double north = (latitude - m_centre_latitude) * m_metres_per_degree_north;
  return {kMapFitRect.CentreX() + east * m_pixels_per_metre,
          kMapFitRect.CentreY() - north * m_pixels_per_metre};
}

}  // namespace trackmint
