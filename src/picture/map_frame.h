#pragma once

#include <deque>

#include "picture/run_picture.h"

namespace trackmint {

// A vertex whose position the map can show: finite coordinates, a latitude within the poles.
bool IsMappable(const TrackVertex& vertex);

// The longitudes of a track in log order made continuous: each differs from the one before by
// at most 180 degrees, so that a track across 180 degrees stays whole. The first is taken into
// -180 to 180 degrees.
class LongitudeUnwrapper {
 public:
  double Next(double longitude);

 private:
  bool m_started = false;
  double m_previous = 0;
};

struct PixelPoint {
  double x;
  double y;
  bool operator==(const PixelPoint&) const = default;
};

// The map's projection: local metres about the centre of the track's bounding box (its
// longitudes unwrapped), east = R * dlon * cos(lat0) and north = R * dlat with R the mean earth
// radius and lat0 the centre's latitude, north up, the same scale on both axes, the box fitted
// into kMapFitRect about its centre, at most kMaxPixelsPerMetre.
class MapFrame {
 public:
  // Over the mappable vertices; Empty() when there is none.
  explicit MapFrame(const std::deque<TrackVertex>& vertices);

  bool Empty() const { return m_empty; }
  double PixelsPerMetre() const { return m_pixels_per_metre; }
  // A position with its longitude unwrapped as the track's were.
  PixelPoint ToPixel(double unwrapped_longitude, double latitude) const;

 private:
  bool m_empty = true;
  double m_centre_longitude = 0;
  double m_centre_latitude = 0;
  double m_metres_per_degree_east = 0;
  double m_metres_per_degree_north = 0;
  double m_pixels_per_metre = 0;
};

}  // namespace trackmint
