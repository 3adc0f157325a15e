#include "picture/round_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "base/number_format.h"

namespace trackmint {
namespace {

constexpr std::array<double, 3> kMantissas = {1, 2, 5};

}  // namespace

// The logarithm finds the power of ten; its neighbours are tried too, for a limit that is a power
// of ten itself and comes out a hair below it.
double RoundLengthAtMost(double limit) {
  const double exponent = std::floor(std::log10(limit));
  double best = 0;
  for (double e = exponent - 1; e <= exponent + 1; ++e) {
    for (const double mantissa : kMantissas) {
      const double length = mantissa * std::pow(10.0, e);
      if (length <= limit) best = std::max(best, length);
    }
  }
  return best;
}

double RoundLengthAtLeast(double limit) {
  const double exponent = std::floor(std::log10(limit));
  double best = std::numeric_limits<double>::infinity();
  for (double e = exponent - 1; e <= exponent + 1; ++e) {
    for (const double mantissa : kMantissas) {
      const double length = mantissa * std::pow(10.0, e);
      if (length >= limit) best = std::min(best, length);
    }
  }
  return best;
}

std::string MetresText(double metres) {
  if (metres >= 1000) return FormatFixed(metres / 1000, 0) + " km";
  if (metres >= 1) return FormatFixed(metres, 0) + " m";
  if (metres >= 0.01) return FormatFixed(metres * 100, 0) + " cm";
  return FormatFixed(metres * 1000, 0) + " mm";
}

}  // namespace trackmint
