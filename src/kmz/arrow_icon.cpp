#include "kmz/arrow_icon.h"

#include "kmz/arrow_image.h"

namespace trackmint {

std::string IconFileName(WindowColour rgb) {
  return std::to_string(rgb & 0xFFFFFFu) + ".png";
}

void RecolourArrow(ArrowPicture& picture, WindowColour rgb) {
  const auto red = static_cast<unsigned char>(RedOf(rgb));
  const auto green = static_cast<unsigned char>(GreenOf(rgb));
  const auto blue = static_cast<unsigned char>(BlueOf(rgb));
  for (std::size_t i = 0; i + kArrowChannels <= picture.rgba.size(); i += kArrowChannels) {
    unsigned char* pixel = &picture.rgba[i];
    if (pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255) continue;
    pixel[0] = red;
    pixel[1] = green;
    pixel[2] = blue;
  }
}

ArrowIcon MakeArrowIcon(WindowColour rgb) {
  ArrowPicture picture = DecodeArrowPng(ArrowImage());
  rgb &= 0xFFFFFFu;
  RecolourArrow(picture, rgb);
  return {IconFileName(rgb), EncodeIconPng(picture)};
}

}  // namespace trackmint
