#include "base/classic_system_colours.h"

#include <array>

namespace trackmint {
namespace {

// Indexed by the classic system-colour number, scroll bar (0) to menu bar (30).
constexpr std::array<WindowColour, 31> kClassicColours = {
    MakeWindowColour(192, 192, 192),  // scroll bar
    MakeWindowColour(0, 128, 128),    // desktop
    MakeWindowColour(0, 0, 128),      // active caption
    MakeWindowColour(128, 128, 128),  // inactive caption
    MakeWindowColour(192, 192, 192),  // menu
    MakeWindowColour(255, 255, 255),  // window
    MakeWindowColour(0, 0, 0),        // window frame
    MakeWindowColour(0, 0, 0),        // menu text
    MakeWindowColour(0, 0, 0),        // window text
    MakeWindowColour(255, 255, 255),  // caption text
    MakeWindowColour(192, 192, 192),  // active border
    MakeWindowColour(192, 192, 192),  // inactive border
    MakeWindowColour(128, 128, 128),  // application workspace
    MakeWindowColour(0, 0, 128),      // highlight
    MakeWindowColour(255, 255, 255),  // highlight text
    MakeWindowColour(192, 192, 192),  // button face
    MakeWindowColour(128, 128, 128),  // button shadow
    MakeWindowColour(128, 128, 128),  // grey text
    MakeWindowColour(0, 0, 0),        // button text
    MakeWindowColour(192, 192, 192),  // inactive caption text
    MakeWindowColour(255, 255, 255),  // button highlight
    MakeWindowColour(0, 0, 0),        // 3-D dark shadow
    MakeWindowColour(192, 192, 192),  // 3-D light
    MakeWindowColour(0, 0, 0),        // tooltip text
    MakeWindowColour(255, 255, 225),  // tooltip background
    MakeWindowColour(0, 0, 0),        // (unused)
    MakeWindowColour(0, 0, 255),      // hot-tracked item
    MakeWindowColour(16, 132, 208),   // active caption gradient
    MakeWindowColour(181, 181, 181),  // inactive caption gradient
    MakeWindowColour(0, 0, 128),      // menu highlight
    MakeWindowColour(192, 192, 192),  // menu bar
};

}  // namespace

WindowColour ClassicSystemColour(WindowColour colour) {
  if (!IsSystemColour(colour)) return colour;
  const unsigned index = SystemColourIndex(colour);
  return index < kClassicColours.size() ? kClassicColours[index] : 0;
}

}  // namespace trackmint
