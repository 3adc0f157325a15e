#pragma once

#include <string_view>

#include "base/window_colour.h"
#include "kml/document_stream.h"

namespace trackmint {

// A shared line style with an id, which a track placemark refers to as "#id". The width text is
// written as the setting holds it, the colour is a plain one.
void WriteLineStyle(DocumentStream& stream, std::string_view width_text, WindowColour colour,
                    std::string_view style_id);

}  // namespace trackmint
