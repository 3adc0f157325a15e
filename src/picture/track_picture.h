#pragma once

#include <vector>

#include "picture/run_picture.h"

namespace trackmint {

// The picture of a run as a PNG of kPictureWidth by kPictureHeight pixels on white, laid out as
// picture_layout.h says: the title line; the map of the valid track, each segment in the colour
// of its later vertex's fix class, none across a gap of the record (GapRule), with its start
// and end marks, a scale bar and a north arrow; the legend of the placemarks by class; the
// timeline of the fix classes and of the satellites used. Without a vertex on the map it says
// "no epoch in IN has a usable fix". The same input always gives the same bytes. Throws
// TrackmintError when Cairo cannot draw it (out of memory).
std::vector<unsigned char> DrawTrackPicture(const RunPicture& picture);

}  // namespace trackmint
