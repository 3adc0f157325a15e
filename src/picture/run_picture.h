#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>

#include "nmea/fix_class.h"
#include "nmea/track_vertex.h"

namespace trackmint {

// What the picture of a run shows, filled by the run as it reads the log.
struct RunPicture {
  // The valid track in log order, as the document kept it for its track line. A deque grows by
  // blocks, so a long log never copies it or needs twice its memory.
  std::deque<TrackVertex> vertices;
  // The colours of the fix classes as the user set them, plain RGB (0x00BBGGRR); the grey icon
  // is always kGreyIconColour.
  ClassColours class_colours = DesignClassColours();
  // The placemarks by class and their total, as the summary of the run counts them.
  std::array<std::int32_t, kIconSlotCount> placemarks_by_class{};
  std::int32_t placemarks = 0;
  // The line at the top, ready to show: the input, span, duration and length.
  std::string title;
  // The input's name, for the picture of a log without a usable fix.
  std::string input_name;
};

}  // namespace trackmint
