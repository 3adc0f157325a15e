#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/time_window.h"
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
  // Only the epochs inside the window are written, and with an interval the arrows are thinned
  // to one a slot of that many milliseconds, every change of fix class kept; 0 keeps every arrow.
  TimeWindow time_window;
  std::int32_t arrow_interval_ms = 0;

  bool operator==(const ConversionSettings&) const = default;
};

}  // namespace trackmint
