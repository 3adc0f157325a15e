#pragma once

#include <string_view>

#include "kml/document_stream.h"

namespace trackmint {

// The inline style of one waypoint placemark: the arrow icon at the scale of the setting, turned
// to the course over ground (degrees). The icon is a bare file name beside the document.
void WriteIconStyle(DocumentStream& stream, std::string_view scale_text, double heading,
                    std::string_view icon_file_name);

}  // namespace trackmint
