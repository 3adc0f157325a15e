#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kml/conversion_settings.h"

namespace trackmint {

// Everything one conversion needs, as a value the front end builds before the run: the window from
// its fields and controls, the batch mode from its arguments and the settings file.
struct ConversionRequest {
  // The logs, read one after the other into one KMZ; "-" is standard input, an empty path names
  // no file.
  std::vector<std::string> input_paths;
  std::string kmz_path;     // the KMZ to write, a full path
  std::string member_name;  // the document's name inside the KMZ
  ConversionSettings settings;
  unsigned deflate_workers = 0;  // 0: the default number
  // The picture of the run (the valid track by fix class, the classes over time): drawn when
  // asked for, and written whole to picture_path when that is not empty.
  bool draw_picture = false;
  std::string picture_path;
  // A table of the placemarks (CSV): written whole to table_path; "-" keeps it in the result for
  // the caller to print; empty for none.
  std::string table_path;
};

// The document's name inside a KMZ: the KMZ's file name with the extension ".kml".
std::string DocumentMemberName(std::string_view kmz_path);

}  // namespace trackmint
