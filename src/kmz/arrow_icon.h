#pragma once

#include <string>
#include <vector>

#include "base/window_colour.h"
#include "kmz/icon_png.h"

namespace trackmint {

// One arrow icon as the KMZ holds it: its file name and its PNG bytes.
struct ArrowIcon {
  std::string file_name;
  std::vector<unsigned char> png;
};

// Makes the arrow icon of a plain RGB colour (a system colour is resolved before): the built-in
// arrow in that colour, named "<decimal RGB value>.png".
ArrowIcon MakeArrowIcon(WindowColour rgb);

// The file name of the icon of a plain RGB colour: "255.png" for red.
std::string IconFileName(WindowColour rgb);

// Gives every pixel that is not pure white the colour; alpha and the white frame stay.
void RecolourArrow(ArrowPicture& picture, WindowColour rgb);

}  // namespace trackmint
