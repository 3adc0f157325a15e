#pragma once

namespace trackmint {

// The mean radius of the WGS-84 ellipsoid, (2a + b) / 3, in metres.
inline constexpr double kMeanEarthRadiusMetres = 6371008.7714;

// The great-circle distance in metres between two points given in decimal degrees, on a sphere
// of the mean radius (haversine form, sound for short and long distances alike).
double GreatCircleMetres(double latitude1, double longitude1, double latitude2, double longitude2);

}  // namespace trackmint
