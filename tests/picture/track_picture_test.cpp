#include "picture/track_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "picture/picture_layout.h"
#include "picture_test_support.h"
#include "support/png_reader.h"

namespace trackmint {
namespace {

using testing::DecodedPicture;
using testing::MetresPerDegree;
using testing::Vertex;

constexpr WindowColour kWhite = 0xFFFFFF;
constexpr WindowColour kBlack = 0x000000;
// Colours a user chose, none of them a design colour: Auto, Diff, RTK Fix, RTK Float,
// Estimated, Invalid.
constexpr ClassColours kUserColours = {0xC05020, 0xF0A010, 0x40B030, 0x9020A0, 0x009090, 0x101010};
constexpr std::int32_t kDay = 19800;  // 2024-03-18

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}

// Where the map puts a position, worked out from the layout: the centre of the track's box at
// the centre of the fit rectangle, east = R dlon cos(lat0), north = R dlat, at the given scale.
struct ExpectedMap {
  double centre_longitude;
  double centre_latitude;
  double pixels_per_metre;

  double X(double longitude) const {
    return kMapFitRect.CentreX() + (longitude - centre_longitude) * MetresPerDegree() *
                                       std::cos(Radians(centre_latitude)) * pixels_per_metre;
  }
  double Y(double latitude) const {
    return kMapFitRect.CentreY() -
           (latitude - centre_latitude) * MetresPerDegree() * pixels_per_metre;
  }
};

// The scale that fits a box of these extents in degrees.
double FitScale(double longitude_extent, double latitude_extent, double centre_latitude) {
  const double east = longitude_extent * MetresPerDegree() * std::cos(Radians(centre_latitude));
  const double north = latitude_extent * MetresPerDegree();
  double scale = kMaxPixelsPerMetre;
  if (east > 0) scale = std::min(scale, kMapFitRect.width / east);
  if (north > 0) scale = std::min(scale, kMapFitRect.height / north);
  return scale;
}

WindowColour UserColour(IconSlot slot) {
  return kUserColours[static_cast<std::size_t>(slot)];
}

// A square walked anticlockwise from its south-west corner, ten epochs a second to each side,
// each side in a class of its own: south Auto, east Diff, north RTK Fix, west RTK Float.
constexpr double kWest = 11.0;
constexpr double kEast = 11.0015;
constexpr double kSouth = 48.0;
constexpr double kNorth = 48.001;

RunPicture SquareRun() {
  RunPicture run;
  run.class_colours = kUserColours;
  run.title = "square.nmea  2024-03-18 10:00:00 to 10:00:40";
  run.input_name = "square.nmea";
  struct Side {
    double from_longitude, from_latitude, to_longitude, to_latitude;
    IconSlot slot;
  };
  const Side sides[] = {
      {kWest, kSouth, kEast, kSouth, IconSlot::Auto},
      {kEast, kSouth, kEast, kNorth, IconSlot::Diff},
      {kEast, kNorth, kWest, kNorth, IconSlot::RtkFix},
      {kWest, kNorth, kWest, kSouth, IconSlot::RtkFloat},
  };
  std::int32_t time = 10 * 3600 * 1000;
  run.vertices.push_back(Vertex(kWest, kSouth, IconSlot::RtkFloat, time, kDay, 12));
  for (const Side& side : sides) {
    for (int step = 1; step <= 10; ++step) {
      time += 1000;
      run.vertices.push_back(
          Vertex(side.from_longitude + (side.to_longitude - side.from_longitude) * step / 10,
                 side.from_latitude + (side.to_latitude - side.from_latitude) * step / 10,
                 side.slot, time, kDay, 12));
    }
  }
  run.placemarks_by_class = {10, 10, 10, 10, 0, 0, 1};
  run.placemarks = 41;
  return run;
}

TEST(TrackPicture, IsAWhitePngOfTheLaidOutSizeWithoutATimeChunk) {
  const std::vector<unsigned char> png = DrawTrackPicture(SquareRun());
  const DecodedPicture picture(png);
  EXPECT_EQ(picture.Png().width, static_cast<unsigned>(kPictureWidth));
  EXPECT_EQ(picture.Png().height, static_cast<unsigned>(kPictureHeight));
  for (const auto& [x, y] : {std::pair{0, 0},
                             {kPictureWidth - 1, 0},
                             {0, kPictureHeight - 1},
                             {kPictureWidth - 1, kPictureHeight - 1}}) {
    EXPECT_EQ(picture.At(x, y), kWhite) << x << ", " << y;
  }
  const std::vector<std::string> types =
      testing::ChunkTypes(testing::WalkPngChunks(std::string(png.begin(), png.end())));
  ASSERT_FALSE(types.empty());
  EXPECT_EQ(types.front(), "IHDR");
  EXPECT_EQ(types.back(), "IEND");
  EXPECT_EQ(std::count(types.begin(), types.end(), "tIME"), 0);
}

TEST(TrackPicture, EachSideOfTheSquareHasItsClassColour) {
  const DecodedPicture picture(DrawTrackPicture(SquareRun()));
  const double centre_longitude = (kWest + kEast) / 2;
  const double centre_latitude = (kSouth + kNorth) / 2;
  const ExpectedMap map{centre_longitude, centre_latitude,
                        FitScale(kEast - kWest, kNorth - kSouth, centre_latitude)};
  struct Case {
    const char* side;
    double longitude;
    double latitude;
    WindowColour colour;
  };
  const Case cases[] = {
      {"south", centre_longitude, kSouth, UserColour(IconSlot::Auto)},
      {"east", kEast, centre_latitude, UserColour(IconSlot::Diff)},
      {"north", centre_longitude, kNorth, UserColour(IconSlot::RtkFix)},
      {"west", kWest, centre_latitude, UserColour(IconSlot::RtkFloat)},
      {"inside", centre_longitude, centre_latitude, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    EXPECT_EQ(picture.At(map.X(c.longitude), map.Y(c.latitude)), c.colour);
  }
}

// The legend has a row for each class with placemarks, in the class order, its swatch in the
// class colour; the grey icon's "other" comes last in its fixed grey.
TEST(TrackPicture, TheLegendShowsTheClassesPresentInTheirOrder) {
  const DecodedPicture picture(DrawTrackPicture(SquareRun()));
  const WindowColour rows[] = {UserColour(IconSlot::Auto), UserColour(IconSlot::Diff),
                               UserColour(IconSlot::RtkFix), UserColour(IconSlot::RtkFloat),
                               kGreyIconColour};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    SCOPED_TRACE(row);
    const double baseline = kLegendFirstRowBaseline + static_cast<double>(row) * kLegendRowStep;
    EXPECT_EQ(picture.At(kLegendX + kLegendSwatchSide / 2,
                         baseline + kLegendSwatchDrop - kLegendSwatchSide / 2),
              rows[row]);
  }
  // The row after them is the total, without a swatch.
  const double total = kLegendFirstRowBaseline + 5 * kLegendRowStep;
  EXPECT_EQ(picture.At(kLegendX + kLegendSwatchSide / 2, total + kLegendSwatchDrop - 7), kWhite);
}

// A track across 180 degrees stays one short line: the centre of its box is on 180 degrees, and
// the map is not stretched over the 360 degrees between its ends' longitudes as written.
TEST(TrackPicture, ATrackAcrossTheAntimeridianStaysWhole) {
  RunPicture run;
  run.class_colours = kUserColours;
  const double longitudes[] = {179.998, 179.999, -180.0, -179.999, -179.998};
  for (int i = 0; i < 5; ++i) {
    run.vertices.push_back(
        Vertex(longitudes[i], -17.002 + 0.001 * i, IconSlot::Diff, i * 1000, kDay, 9));
  }
  const DecodedPicture picture(DrawTrackPicture(run));
  // Unwrapped, the longitudes run from 179.998 to 180.002.
  const ExpectedMap map{180.0, -17.0, FitScale(0.004, 0.004, -17.0)};
  const WindowColour diff = UserColour(IconSlot::Diff);
  EXPECT_EQ(picture.At(map.X(180.0), map.Y(-17.0)), diff);
  // The middles of the two segments that meet at 180 degrees.
  EXPECT_EQ(picture.At(map.X(179.9995), map.Y(-17.0005)), diff);
  EXPECT_EQ(picture.At(map.X(180.0005), map.Y(-16.9995)), diff);
  // Drawn over 360 degrees, the line would run across the whole map at its middle height.
  EXPECT_EQ(picture.At(kMapFitRect.x + 4, kMapFitRect.CentreY()), kWhite);
  EXPECT_EQ(picture.At(kMapFitRect.Right() - 4, kMapFitRect.CentreY()), kWhite);
}

// One epoch: the map shows its spot, the start ring about the end square, at the most the
// scale allows, with a 1 m scale bar.
TEST(TrackPicture, OneEpochShowsTheSpotWithAOneMetreScaleBar) {
  RunPicture run;
  run.class_colours = kUserColours;
  run.vertices.push_back(Vertex(11.0, 48.0, IconSlot::RtkFix, 36000000, kDay, 14));
  run.placemarks_by_class[static_cast<std::size_t>(IconSlot::RtkFix)] = 1;
  run.placemarks = 1;
  const DecodedPicture picture(DrawTrackPicture(run));
  const double x = kMapFitRect.CentreX();
  const double y = kMapFitRect.CentreY();
  EXPECT_EQ(picture.At(x, y), kBlack);                                 // the end square
  EXPECT_EQ(picture.At(x + kEndMarkSide / 2 + 0.5, y + 0.5), kWhite);  // the start disc
  EXPECT_EQ(picture.At(x + kStartMarkRadius + 0.5, y + 0.5), kBlack);  // its ring
  // The bar of 1 m is kMaxPixelsPerMetre long and 2 pixels thick on kScaleBarY.
  const double bar_end = kScaleBarLeft + 1 * kMaxPixelsPerMetre;
  EXPECT_EQ(picture.At(kScaleBarLeft + 10, kScaleBarY - 0.5), kBlack);
  EXPECT_EQ(picture.At(bar_end - 10, kScaleBarY - 0.5), kBlack);
  EXPECT_EQ(picture.At(bar_end + 6, kScaleBarY - 0.5), kWhite);
  // The timeline's band shows the epoch's class in the middle of the strip.
  EXPECT_EQ(picture.At(kTimelineRect.CentreX(), kTimelineRect.y + kTimelineBandHeight / 2),
            UserColour(IconSlot::RtkFix));
}

// Without a vertex on the map the picture is still made: its frame and one line of text in the
// middle of the map, the rest white; vertices whose positions hold no number give the same.
TEST(TrackPicture, NoUsableFixGivesAPictureThatSaysSo) {
  RunPicture run;
  run.title = "empty.nmea";
  run.input_name = "empty.nmea";
  const std::vector<unsigned char> png = DrawTrackPicture(run);
  const DecodedPicture picture(png);
  EXPECT_EQ(picture.Png().width, static_cast<unsigned>(kPictureWidth));
  const int map_x0 = static_cast<int>(kMapRect.x) + 2;
  const int map_x1 = static_cast<int>(kMapRect.Right()) - 2;
  const int middle = static_cast<int>(kMapRect.CentreY());
  // The sentence: dark pixels on the map's middle line, and white above and below it.
  EXPECT_GT(picture.CountNotWhite(map_x0, middle - 14, map_x1, middle + 6), 200);
  EXPECT_EQ(picture.CountNotWhite(map_x0, static_cast<int>(kMapRect.y) + 2, map_x1, middle - 30),
            0);
  EXPECT_EQ(
      picture.CountNotWhite(map_x0, middle + 20, map_x1, static_cast<int>(kMapRect.Bottom()) - 2),
      0);
  // Nothing in the timeline.
  EXPECT_EQ(
      picture.CountNotWhite(0, static_cast<int>(kTimelineRect.y), kPictureWidth, kPictureHeight),
      0);
  const int all = kPictureWidth * kPictureHeight;
  EXPECT_GT(picture.CountNotWhite(0, 0, kPictureWidth, kPictureHeight), 0);
  EXPECT_LT(picture.CountNotWhite(0, 0, kPictureWidth, kPictureHeight), all / 20);

  RunPicture unmappable = run;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  unmappable.vertices = {Vertex(nan, 48.0, IconSlot::Auto, 1000),
                         Vertex(11.0, infinity, IconSlot::Auto, 2000),
                         Vertex(11.0, 91.0, IconSlot::Auto, 3000)};
  EXPECT_EQ(DrawTrackPicture(unmappable), png);
}

// A 10 Hz log along a parallel with 5 s missing: more than ten times the median step of
// 100 ms, though less than a minute, so the line stops at the gap and goes on after it, and the
// timeline's band leaves the gap white.
TEST(TrackPicture, AGapOfTheRecordStaysOpen) {
  RunPicture run;
  run.class_colours = kUserColours;
  const double metre = 1 / (MetresPerDegree() * std::cos(Radians(48.0)));  // of longitude
  for (int i = 0; i < 100; ++i) {
    // 50 epochs a metre apart, then 5 s and 50 m later 50 more.
    const int along = i < 50 ? i : i + 49;
    const int time = i < 50 ? i * 100 : 4900 + 5000 + (i - 50) * 100;
    run.vertices.push_back(Vertex(11.0 + along * metre, 48.0, IconSlot::Auto, time, kDay, 10));
  }
  const DecodedPicture picture(DrawTrackPicture(run));
  // The track runs from 0 to 148 m; the gap from 49 to 99 m has the box's centre in its middle.
  const double scale = std::min(kMaxPixelsPerMetre, kMapFitRect.width / 148.0);
  const auto x_of = [&](double metres) { return kMapFitRect.CentreX() + (metres - 74) * scale; };
  const double y = kMapFitRect.CentreY();
  const WindowColour automatic = UserColour(IconSlot::Auto);
  EXPECT_EQ(picture.At(x_of(24.5), y), automatic);
  EXPECT_EQ(picture.At(x_of(74), y), kWhite);
  EXPECT_EQ(picture.At(x_of(52), y), kWhite);
  EXPECT_EQ(picture.At(x_of(123.5), y), automatic);
  // The strip runs over 14.8 s: the first half ends 50 ms after 4.9 s, the second begins 50 ms
  // before 9.9 s.
  const auto strip_x = [](double seconds) {
    return kTimelineRect.x + seconds / 14.8 * kTimelineRect.width;
  };
  const double band_y = kTimelineRect.y + kTimelineBandHeight / 2;
  EXPECT_EQ(picture.At(strip_x(2.5), band_y), automatic);
  EXPECT_EQ(picture.At(strip_x(7.4), band_y), kWhite);
  EXPECT_EQ(picture.At(strip_x(12.5), band_y), automatic);
}

// Each epoch's band stands at its time, reaching half way to its neighbours; without valid
// times, at its number.
TEST(TrackPicture, TheTimelineBandsStandAtTheEpochsTimesOrNumbers) {
  RunPicture run;
  run.class_colours = kUserColours;
  // At 0 s, 8 s and 9 s: the median step is 1 s, so 8 s is no gap (less than 10 s).
  run.vertices = {Vertex(11.0, 48.0, IconSlot::Auto, 0, kDay, 8),
                  Vertex(11.001, 48.0, IconSlot::Diff, 8000, kDay, 8),
                  Vertex(11.002, 48.0, IconSlot::RtkFix, 9000, kDay, 8)};
  const double band_y = kTimelineRect.y + kTimelineBandHeight / 2;
  {
    SCOPED_TRACE("by time");
    const DecodedPicture picture(DrawTrackPicture(run));
    const auto x_of = [](double seconds) {
      return kTimelineRect.x + seconds / 9 * kTimelineRect.width;
    };
    EXPECT_EQ(picture.At(x_of(3.5), band_y), UserColour(IconSlot::Auto));
    EXPECT_EQ(picture.At(x_of(4.5), band_y), UserColour(IconSlot::Diff));
    EXPECT_EQ(picture.At(x_of(8.3), band_y), UserColour(IconSlot::Diff));
    EXPECT_EQ(picture.At(x_of(8.7), band_y), UserColour(IconSlot::RtkFix));
  }
  {
    SCOPED_TRACE("by number");
    for (TrackVertex& vertex : run.vertices) vertex.time_of_day_ms = TrackVertex::kNoTime;
    const DecodedPicture picture(DrawTrackPicture(run));
    const auto x_of = [](double number) {
      return kTimelineRect.x + number / 2 * kTimelineRect.width;
    };
    EXPECT_EQ(picture.At(x_of(0.4), band_y), UserColour(IconSlot::Auto));
    EXPECT_EQ(picture.At(x_of(0.6), band_y), UserColour(IconSlot::Diff));
    EXPECT_EQ(picture.At(x_of(1.4), band_y), UserColour(IconSlot::Diff));
    EXPECT_EQ(picture.At(x_of(1.6), band_y), UserColour(IconSlot::RtkFix));
  }
}

// The satellites used are a line over their axis: 12 of an axis up to 15 (steps of 5).
TEST(TrackPicture, TheSatellitesUsedAreALineAtTheirCount) {
  RunPicture run = SquareRun();
  const DecodedPicture picture(DrawTrackPicture(run));
  const double y = kSatelliteZeroY - 12.0 / 15.0 * (kSatelliteZeroY - kSatelliteTopY);
  const WindowColour on_line = picture.At(kTimelineRect.CentreX(), y);
  EXPECT_LT(RedOf(on_line) + GreenOf(on_line) + BlueOf(on_line), 3u * 0x80) << std::hex << on_line;
  EXPECT_EQ(picture.At(kTimelineRect.CentreX(), y - 6), kWhite);
  EXPECT_EQ(picture.At(kTimelineRect.CentreX(), y + 6), kWhite);
}

TEST(TrackPicture, TheSameRunGivesTheSameBytes) {
  RunPicture run = SquareRun();
  const std::vector<unsigned char> first = DrawTrackPicture(run);
  const std::vector<unsigned char> second = DrawTrackPicture(run);
  EXPECT_EQ(first, second);
}

// Text Cairo could not take (bytes that are no UTF-8, control characters) is shown with "?"
// and stops nothing: the title is drawn and so is the track.
TEST(TrackPicture, ATitleOfAnyBytesIsDrawn) {
  RunPicture run = SquareRun();
  run.title = std::string("log\xFF\xFE\x01\x7F of ") + std::string(3000, 'x');
  const DecodedPicture picture(DrawTrackPicture(run));
  EXPECT_GT(picture.CountNotWhite(static_cast<int>(kPictureMargin), 10, kPictureWidth / 2, 36),
            100);
  EXPECT_EQ(picture.At(kMapFitRect.CentreX(),
                       ExpectedMap{(kWest + kEast) / 2, (kSouth + kNorth) / 2,
                                   FitScale(kEast - kWest, kNorth - kSouth, (kSouth + kNorth) / 2)}
                           .Y(kSouth)),
            UserColour(IconSlot::Auto));
}

}  // namespace
}  // namespace trackmint
