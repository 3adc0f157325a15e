#include "picture/track_picture.h"

#include "picture/canvas.h"
#include "picture/picture_layout.h"
#include "picture/picture_parts.h"
#include "picture/track_steps.h"

namespace trackmint {

std::vector<unsigned char> DrawTrackPicture(const RunPicture& picture) {
  const Canvas canvas(kPictureWidth, kPictureHeight);
  const GapRule gaps(MedianStepMilliseconds(picture.vertices));
  DrawTitle(canvas, picture);
  const bool track = DrawTrackMap(canvas, picture, gaps);
  if (track) {
    DrawTimeline(canvas, picture, gaps);
  } else {
    DrawNoFixMap(canvas, picture);
  }
  DrawLegend(canvas, picture, track);
  return canvas.Png();
}

}  // namespace trackmint
