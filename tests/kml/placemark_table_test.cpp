#include "kml/placemark_table.h"

#include <gtest/gtest.h>

#include <string>

#include "kml_test_support.h"

namespace trackmint {
namespace {

// Rows worked out from the records: six decimals for the position, three for the altitude and
// the speed, two for the HDOP and the course, as "." writes them; a field the epoch's sentences
// did not give stays empty; a field that holds a quote is quoted with the quote doubled.
TEST(PlacemarkTable, RowsAsTheRecordsGiveThem) {
  waypoints both;
  both.time_text = "123519.50";
  both.date_text = "2020-03-18";
  both.latitude = 48.1173;
  both.longitude = -11.516666666666667;
  both.altitude = 545.4;
  both.gga_fix_quality = 4;
  both.satellites_in_use = 12;
  both.hdop = 0.9;
  both.speed = 41.4848;
  both.course_over_ground = 84.4;
  both.mode_indicator = 'R';
  both.gga_flag = 1;
  both.rmc_flag = 1;

  waypoints rmc_only;
  rmc_only.time_text = "1";  // no valid time: no time stamp
  rmc_only.date_text = "2020-03-18";
  rmc_only.latitude = -33.5;
  rmc_only.longitude = 151.25;
  rmc_only.speed = 1.852;
  rmc_only.course_over_ground = 359.999;
  rmc_only.mode_indicator = '"';
  rmc_only.rmc_flag = 1;

  waypoints gga_only;
  gga_only.time_text = "000000";
  gga_only.date_text = "2000-01-02";
  gga_only.gga_fix_quality = 7;
  gga_only.gga_flag = 1;

  const std::string table = testing::WrittenText([&](DocumentStream& stream) {
    PlacemarkTable writer(stream);
    writer.AddPlacemark(both, IconSlot::RtkFix);
    writer.AddPlacemark(rmc_only, IconSlot::Auto);
    writer.AddPlacemark(gga_only, IconSlot::Grey);
  });
  EXPECT_TRUE(testing::SameText(
      "time,latitude,longitude,altitude_m,fix_class,gga_quality,rmc_mode,satellites_used,hdop,"
      "speed_kmh,course_deg\r\n"
      "2020-03-18T12:35:19.50Z,48.117300,-11.516667,545.400,RTK Fix,4,R,12,0.90,41.485,84.40\r\n"
      ",-33.500000,151.250000,,Auto,,\"\"\"\",,,1.852,360.00\r\n"
      "2000-01-02T00:00:00Z,0.000000,0.000000,0.000,other,7,,0,0.00,,\r\n",
      table));
}

}  // namespace
}  // namespace trackmint
