#include "base/great_circle.h"

#include <gtest/gtest.h>

#include <vector>

namespace trackmint {
namespace {

// Distances worked out by hand on the sphere of radius R = 6371008.7714 m: along a meridian or
// the equator an angle of d degrees is R * d * pi / 180.
TEST(GreatCircleMetres, KnownDistances) {
  struct Case {
    const char* legend;
    double latitude1, longitude1, latitude2, longitude2;
    double metres;
  };
  const std::vector<Case> cases = {
      {"one degree along the equator", 0, 0, 0, 1, 111195.0797},
      {"one degree along a meridian", 48, 11.5, 49, 11.5, 111195.0797},
      {"equator to pole", 0, 30, 90, 30, 10007557.2},
      {"antipodes", 0, 0, 0, 180, 20015114.4},
      {"across the date line", 0, 179.5, 0, -179.5, 111195.0797},
      {"the same point", 48.1173, 11.5167, 48.1173, 11.5167, 0},
      // At 60 degrees north a degree of longitude is cos(60) = half an equator degree, and the
      // great circle between two such points is slightly shorter than that parallel arc:
      // 2 R asin(cos(60) sin(0.5 degree)) = 2 R asin(0.0043632678) = 2 R * 0.0043632816,
      // which is 55597.01 m.
      {"one degree along 60 north", 60, 0, 60, 1, 55597.01},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(GreatCircleMetres(c.latitude1, c.longitude1, c.latitude2, c.longitude2), c.metres,
                0.1)
        << c.legend;
  }
}

}  // namespace
}  // namespace trackmint
