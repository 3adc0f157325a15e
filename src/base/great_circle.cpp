#include "base/great_circle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace trackmint {

double GreatCircleMetres(double latitude1, double longitude1, double latitude2, double longitude2) {
  constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
  const double phi1 = latitude1 * kRadiansPerDegree;
  const double phi2 = latitude2 * kRadiansPerDegree;
  const double half_dphi = (phi2 - phi1) / 2;
  const double half_dlambda = (longitude2 - longitude1) * kRadiansPerDegree / 2;
  const double a = std::sin(half_dphi) * std::sin(half_dphi) + std::cos(phi1) * std::cos(phi2) *
                                                                   std::sin(half_dlambda) *
                                                                   std::sin(half_dlambda);
  // Rounding can push a just past 1 for points at the antipodes.
  return 2 * kMeanEarthRadiusMetres * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

}  // namespace trackmint
