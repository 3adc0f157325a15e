#pragma once

namespace trackmint {

// Where everything of the picture stands, in pixels from its top left corner (x to the right, y
// down). A pixel (column c, row r) covers c <= x < c + 1 and r <= y < r + 1.
struct PixelRect {
  double x;
  double y;
  double width;
  double height;

  constexpr double Right() const { return x + width; }
  constexpr double Bottom() const { return y + height; }
  constexpr double CentreX() const { return x + width / 2; }
  constexpr double CentreY() const { return y + height / 2; }
};

inline constexpr int kPictureWidth = 1200;
inline constexpr int kPictureHeight = 800;
// The white border around everything.
inline constexpr double kPictureMargin = 16;

// The title line across the top.
inline constexpr double kTitleBaseline = 30;
inline constexpr double kTitleFontSize = 17;

// The map: the track north up, the same scale on both axes, inside a thin grey frame.
inline constexpr PixelRect kMapRect = {kPictureMargin, 44, 880, 548};
// The part of the map that the track is fitted into: its centre is the centre of the track's
// bounding box, and the box's longer side in pixels fills its side of this rectangle. Below it,
// in the map, the scale bar (left) and the north arrow (right), so that they never hide the
// track.
inline constexpr PixelRect kMapFitRect = {kMapRect.x + 28, kMapRect.y + 28, kMapRect.width - 56,
                                          kMapRect.height - 76};
// A track smaller than the fit (a spot, or a receiver standing still) is drawn at this scale:
// a 1 m scale bar of 150 pixels.
inline constexpr double kMaxPixelsPerMetre = 150;
// The track's line; at least 3 pixels wide, so that the pixel under its middle is fully
// covered and shows the class colour exactly.
inline constexpr double kTrackLineWidth = 3;
// A vertex that no segment reaches (gaps on both sides) is a dot of its class colour.
inline constexpr double kLoneVertexDiameter = 5;
// The start mark: a white disc in a black ring round the first vertex; the end mark: a black
// square centred on the last vertex.
inline constexpr double kStartMarkRadius = 7;
inline constexpr double kStartMarkRingWidth = 2.5;
inline constexpr double kEndMarkSide = 8;
// The scale bar: a round length (1, 2 or 5 times a power of ten metres) no longer than this,
// from kScaleBarLeft along kScaleBarY, its label above it.
inline constexpr double kScaleBarMaxPixels = 200;
inline constexpr double kScaleBarLeft = kMapRect.x + 16;
inline constexpr double kScaleBarY = kMapRect.Bottom() - 14;
// The north arrow: its tip above its base, an "N" beside it.
inline constexpr double kNorthArrowX = kMapRect.Right() - 24;
inline constexpr double kNorthArrowTipY = kMapRect.Bottom() - 42;
inline constexpr double kNorthArrowBaseY = kMapRect.Bottom() - 8;

// The legend, right of the map: a heading, then one row for each fix class present (a swatch of
// its colour, its name, count and share), the total, and the two marks.
inline constexpr double kLegendX = kMapRect.Right() + 20;
inline constexpr double kLegendHeadingBaseline = kMapRect.y + 18;
inline constexpr double kLegendFirstRowBaseline = kLegendHeadingBaseline + 28;
inline constexpr double kLegendRowStep = 24;
inline constexpr double kLegendSwatchSide = 14;
// The swatch's square reaches this far below its row's baseline.
inline constexpr double kLegendSwatchDrop = 2;
inline constexpr double kLegendTextX = kLegendX + kLegendSwatchSide + 8;
inline constexpr double kLegendRight = kPictureWidth - kPictureMargin;
// Enough height below the map's top for the heading, every class, the total and the two marks.
inline constexpr double kLegendHeight = 264;

// The timeline under the map: its caption line above it; the band of fix classes along its top;
// the satellites used as a line in the plot below the band, their axis on the left; the time
// labels under it. An epoch's position (its time from the first epoch, or its number when not
// every epoch has a valid time) maps linearly from the earliest at kTimelineRect.x to the latest
// at its Right(); a single moment stands in the middle of a strip two seconds (two epochs) long.
// Each epoch's band reaches half way to its neighbours, or half the median step (half an epoch)
// where the record breaks or ends.
inline constexpr double kTimelineCaptionBaseline = kMapRect.Bottom() + 20;
inline constexpr PixelRect kTimelineRect = {72, kMapRect.Bottom() + 28,
                                            kPictureWidth - 72 - kPictureMargin, 132};
inline constexpr double kTimelineBandHeight = 20;
inline constexpr PixelRect kSatellitePlotRect = {
    kTimelineRect.x, kTimelineRect.y + kTimelineBandHeight + 6, kTimelineRect.width,
    kTimelineRect.height - kTimelineBandHeight - 6};
// The satellite count 0 at kSatelliteZeroY, the axis's top at kSatelliteTopY: the top is the
// first multiple of the axis's step at or above the highest count, the step 1 up to 4
// satellites, else the first round number (1, 2 or 5 times a power of ten) of at least a quarter
// of the highest count.
inline constexpr double kSatelliteZeroY = kSatellitePlotRect.Bottom() - 1;
inline constexpr double kSatelliteTopY = kSatellitePlotRect.y + 7;
inline constexpr double kSatelliteLineWidth = 1.5;
inline constexpr double kLoneSatelliteDiameter = 4;
inline constexpr double kSatelliteAxisLabelRight = kTimelineRect.x - 6;
inline constexpr double kTimeLabelBaseline = kTimelineRect.Bottom() + 18;

// The text of the legend, the timeline and the map's scale.
inline constexpr double kTextFontSize = 13;
inline constexpr double kSmallFontSize = 12;

static_assert(kTimeLabelBaseline < kPictureHeight - 4, "the time labels fit");

}  // namespace trackmint
