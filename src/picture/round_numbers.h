#pragma once

#include <cstdint>
#include <string>

namespace trackmint {

// The largest of 1, 2 and 5 times a power of ten that is at most limit (which is positive).
double RoundLengthAtMost(double limit);
// The smallest of 1, 2 and 5 times a power of ten that is at least limit (which is positive).
double RoundLengthAtLeast(double limit);

// A scale bar's label: "1 m", "200 m", "5 km", "10000 km".
std::string MetresText(double metres);

}  // namespace trackmint
