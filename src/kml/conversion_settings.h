#pragma once

#include <array>
#include <string>

#include "base/window_colour.h"
#include "nmea/fix_class.h"

namespace trackmint {

// The settings of one conversion, taken once when the run starts: the settings stay locked for the
// whole run, so this is what reading each one at its use would give. Colours are plain RGB, any
// system colour already resolved by the front end. Texts are kept as the user gave them.
struct ConversionSettings {
  // The arrow colour of each fix class with a swatch, by slot; the grey icon's is fixed.
  ClassColours class_colours{};
  WindowColour track_colour = 0;
  std::string track_width_text;
  std::string icon_scale_text;
  bool use_fixed_date = false;
  std::string fixed_date_text;
  bool use_all_waypoints = false;  // the second track, through every epoch
  bool show_height = false;

  bool operator==(const ConversionSettings&) const = default;
};

}  // namespace trackmint
