#include "kml/track_placemarks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kml_test_support.h"

namespace trackmint {
namespace {

// The valid track of the epochs, with the vertices kept as the document keeps them.
std::string NormalTrackText(const EpochList& epochs, bool keep_every_epoch) {
  const TrackVertices vertices = testing::VerticesOf(epochs, keep_every_epoch);
  return testing::WrittenText(
      [&](DocumentStream& s) { WriteNormalTrack(s, vertices, "NormalTrack"); });
}

using testing::SameText;
using testing::WrittenText;

waypoints Record(std::uint8_t gga_flag, std::uint8_t rmc_flag, char status, int quality) {
  waypoints record;
  record.gga_flag = gga_flag;
  record.rmc_flag = rmc_flag;
  record.rmc_status = status;
  record.gga_fix_quality = quality;
  return record;
}

TEST(TrackPlacemarks, ValidEpochs) {
  struct Case {
    const char* legend;
    waypoints record;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"both, A", Record(1, 1, 'A', 0), true},
      {"both, V with a fix", Record(1, 1, 'V', 4), false},
      {"both, no status", Record(1, 1, 0, 1), false},
      {"GGA with a fix", Record(1, 0, 0, 1), true},
      {"GGA with an unknown quality", Record(1, 0, 0, 7), true},
      {"GGA without a fix", Record(1, 0, 0, 0), false},
      {"RMC, A", Record(0, 1, 'A', 0), true},
      {"RMC, V", Record(0, 1, 'V', 0), false},
      {"no flags", Record(0, 0, 'A', 1), false},
      {"a flag that is not exactly 1", Record(2, 0, 'A', 1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(IsValidTrackEpoch(c.record), c.valid);
  }
}

TEST(TrackPlacemarks, NormalTrackThroughValidEpochsOnly) {
  EpochList epochs =
      testing::MakeEpochList({Record(1, 1, 'A', 2), Record(1, 1, 'V', 4), Record(0, 1, 'A', 0)});
  epochs[0].longitude = -93.750572;
  epochs[0].latitude = 41.574966;
  epochs[0].altitude = -0.5;
  epochs[1].longitude = 5;  // no vertex
  epochs[2].longitude = 0.1;
  epochs[2].latitude = -0.1;
  EXPECT_TRUE(
      SameText("<Placemark>\n"
               "<name>NormalTrack</name>\n"
               "<styleUrl>#NormalTrack</styleUrl>\n"
               "<LineString>\n"
               "<tessellate>1</tessellate>\n"
               "<coordinates>\n"
               "-93.750572,41.574966,-0.500000\n"
               "0.100000,-0.100000,0.000000\n"
               "</coordinates>\n"
               "</LineString>\n"
               "</Placemark>\n",
               NormalTrackText(epochs, false)));
  // Keeping every epoch for the second track changes nothing in the first.
  EXPECT_EQ(NormalTrackText(epochs, false), NormalTrackText(epochs, true));
}

TEST(TrackPlacemarks, EmptyListAndListWithoutValidEpoch) {
  const EpochList empty;
  EXPECT_EQ(NormalTrackText(empty, false), "");
  EXPECT_EQ(NormalTrackText(empty, true), "");
  const std::string no_vertices_tail =
      "<tessellate>1</tessellate>\n"
      "<coordinates>\n"
      "</coordinates>\n"
      "</LineString>\n"
      "</Placemark>\n";
  EXPECT_TRUE(
      SameText("<Placemark\n"
               "><name>IncorrectTrack</name>\n"
               "<styleUrl>#IncorrectTrack</styleUrl>\n"
               "<LineString>\n" +
                   no_vertices_tail,
               WrittenText([&](DocumentStream& s) {
                 WriteIncorrectTrack(s, testing::VerticesOf(empty, true), "IncorrectTrack");
               })));
  const EpochList invalid_only = testing::MakeEpochList({Record(1, 0, 0, 0), Record(0, 1, 'V', 0)});
  EXPECT_TRUE(
      SameText("<Placemark>\n"
               "<name>NormalTrack</name>\n"
               "<styleUrl>#NormalTrack</styleUrl>\n"
               "<LineString>\n" +
                   no_vertices_tail,
               NormalTrackText(invalid_only, false)));
  EXPECT_EQ(NormalTrackText(invalid_only, false), NormalTrackText(invalid_only, true));
}

TEST(TrackPlacemarks, IncorrectTrackThroughEveryEpoch) {
  EpochList epochs =
      testing::MakeEpochList({Record(1, 1, 'V', 4), Record(1, 0, 0, 0), Record(0, 1, 'A', 0)});
  epochs[0].longitude = 38.7469;
  epochs[0].latitude = 9.0302;
  epochs[0].altitude = 2355.4;
  epochs[2].longitude = -1;
  EXPECT_TRUE(
      SameText("<Placemark\n"
               "><name>IncorrectTrack</name>\n"
               "<styleUrl>#IncorrectTrack</styleUrl>\n"
               "<LineString>\n"
               "<tessellate>1</tessellate>\n"
               "<coordinates>\n"
               "\t38.746900,9.030200,2355.400000\n"
               "\t0.000000,0.000000,0.000000\n"
               "\t-1.000000,0.000000,0.000000\n"
               "</coordinates>\n"
               "</LineString>\n"
               "</Placemark>\n",
               WrittenText([&](DocumentStream& s) {
                 WriteIncorrectTrack(s, testing::VerticesOf(epochs, true), "IncorrectTrack");
               })));
}

}  // namespace
}  // namespace trackmint
