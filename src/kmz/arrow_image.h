#pragma once

#include <span>

namespace trackmint {

// The arrow image built into the program (resources/arrow.png): a 48 x 48 RGBA PNG whose alpha
// channel and white frame every icon takes over.
std::span<const unsigned char> ArrowImage();

}  // namespace trackmint
