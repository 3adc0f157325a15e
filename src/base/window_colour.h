#pragma once

#include <cstdint>

namespace trackmint {

// A colour as the window's swatches hold it: red in the lowest byte, then green, then blue
// (0x00BBGGRR). A set top bit marks one of the desktop's system colours; its low byte is the
// classic system-colour index, resolved by the front end before a run.
using WindowColour = std::uint32_t;

constexpr WindowColour kSystemColourFlag = 0x80000000u;

constexpr bool IsSystemColour(WindowColour colour) {
  return (colour & kSystemColourFlag) != 0;
}

// The one rule for the index, used wherever a system colour is resolved. The bits between the
// low byte and the flag are not part of it: a system colour stored with its whole top byte set
// (0xFF00000F, "-16777201" in a settings file) is the same colour as 0x8000000F.
constexpr unsigned SystemColourIndex(WindowColour colour) {
  return colour & 0xFFu;
}

constexpr WindowColour MakeWindowColour(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFFu) | (green & 0xFFu) << 8 | (blue & 0xFFu) << 16;
}

constexpr unsigned RedOf(WindowColour colour) {
  return colour & 0xFFu;
}
constexpr unsigned GreenOf(WindowColour colour) {
  return colour >> 8 & 0xFFu;
}
constexpr unsigned BlueOf(WindowColour colour) {
  return colour >> 16 & 0xFFu;
}

// System colours the program names, by their classic index (scroll bar 0 to menu bar 30, the
// table in classic_system_colours.cpp).
constexpr WindowColour kSystemGreyText = kSystemColourFlag | 17;
constexpr WindowColour kSystemButtonFace = kSystemColourFlag | 15;
constexpr WindowColour kSystemWindowText = kSystemColourFlag | 8;

}  // namespace trackmint
