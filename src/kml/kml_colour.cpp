#include "kml/kml_colour.h"

namespace trackmint {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string KmlColourText(WindowColour plain) {
  std::string text = "FF";
  int digits = 6;
  while (digits < 8 && (plain >> (4 * digits)) != 0) ++digits;
  for (int i = digits - 1; i >= 0; --i) text += kHexDigits[plain >> (4 * i) & 0xFu];
  return text;
}

}  // namespace trackmint
