#pragma once

#include <cstdint>

#include "base/window_colour.h"
#include "picture/canvas.h"
#include "picture/run_picture.h"
#include "picture/track_steps.h"

namespace trackmint {

// The parts of the picture, each drawn where picture_layout.h puts it.

// The colours of what is not the track.
inline constexpr WindowColour kTextColour = 0x000000;
inline constexpr WindowColour kFrameColour = 0xC0C0C0;
inline constexpr WindowColour kGridColour = 0xE8E8E8;
inline constexpr WindowColour kAxisColour = 0x707070;
inline constexpr WindowColour kSatelliteLineColour = 0x202020;

// The colour of a fix class as the user set it; the grey icon's (and an unknown slot's) is
// kGreyIconColour.
WindowColour SlotColour(const RunPicture& picture, std::uint8_t slot);

void DrawTitle(const Canvas& canvas, const RunPicture& picture);
// The track, its marks, the scale bar and the north arrow; false, with nothing drawn, when no
// vertex has a position the map can show.
bool DrawTrackMap(const Canvas& canvas, const RunPicture& picture, const GapRule& gaps);
// The map of a log without a usable fix: its frame and the sentence that says so.
void DrawNoFixMap(const Canvas& canvas, const RunPicture& picture);
// The placemarks by class, and with_marks what the map's start and end marks stand for.
void DrawLegend(const Canvas& canvas, const RunPicture& picture, bool with_marks);
void DrawTimeline(const Canvas& canvas, const RunPicture& picture, const GapRule& gaps);

}  // namespace trackmint
