#include "kml/waypoint_placemark.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kml_test_support.h"
#include "support/satellite_sky.h"

namespace trackmint {
namespace {

using testing::SameText;
using testing::SatelliteNamed;
using testing::WrittenText;

std::string Placemark(const waypoints& record, int number = 0, bool show_height = false) {
  return WrittenText([&](DocumentStream& stream) {
    WriteWaypointPlacemark(stream, record, number, "auto.png", "0.5", show_height);
  });
}

// A date text as the tests write it, with the marker of its source at the end ("^" fixed, "*"
// clock), into a record.
void SetDate(waypoints& record, std::string text) {
  record.date_source = DateSource::Receiver;
  if (text.ends_with('^')) record.date_source = DateSource::Fixed;
  if (text.ends_with('*')) record.date_source = DateSource::Clock;
  if (record.date_source != DateSource::Receiver) text.pop_back();
  record.date_text = std::move(text);
}

// The line of the placemark that begins with the given text, with its line end.
std::string LineStartingWith(const std::string& text, const std::string& start) {
  const std::size_t begin = text.find("\n" + start);
  if (begin == std::string::npos) return "(no line " + start + ")";
  return text.substr(begin + 1, text.find('\n', begin + 1) - begin);
}

waypoints GgaRecord(int quality) {
  waypoints record;
  record.time_text = "101010.00";
  SetDate(record, "2000-01-01^");
  record.gga_flag = 1;
  record.gga_fix_quality = quality;
  return record;
}

TEST(WaypointPlacemark, WithoutTimeTextHasNoTimeStamp) {
  waypoints record = GgaRecord(1);
  record.time_text = "";
  record.latitude = -12.5;
  record.longitude = 130.75;
  record.altitude = -3.25;
  record.satellites_in_use = 5;
  record.hdop = 99.99;
  EXPECT_TRUE(
      SameText("<Placemark>\n"
               "<description><![CDATA[\n"
               "\t<table>\n"
               "\t<tr><th>NN</th><td>7</td></tr>\n"
               "\t<tr><th>Longitude</th><td>130.750000</td></tr>\n"
               "\t<tr><th>Latitude</th><td>-12.500000</td></tr>\n"
               "\t<tr><th>Altitude</th><td>-3.250m</td></tr>\n"
               "\t<tr><th>Time</th><td>2000-01-01^TZ</td></tr>\n"
               "\t<tr><th>Speed</th><td>0.0kmh</td></tr>\n"
               "\t<tr><th>COG</th><td>0.0</td></tr>\n"
               "\t<tr><th>RMS</th><td>0.0m</td></tr>\n"
               "\t<tr><th>Status(GGA)</th><td>Fix valid (1)</td></tr>\n"
               "\t<tr><th>Diff age</th><td>0.00</td></tr>\n"
               "\t<tr><th>Status(GSA)</th><td>0</td></tr>\n"
               "\t<tr><th>HDOP</th><td>99.990</td></tr>\n"
               "\t<tr><th>SAT</th><td>5</td></tr>\n"
               "\t</table>\n"
               "]]></description>\n"
               "<LookAt>\n"
               "<longitude>130.750000</longitude>\n"
               "<latitude>-12.500000</latitude>\n"
               "<tilt>66</tilt>\n"
               "</LookAt>\n"
               "<Style>\n"
               "<IconStyle>\n"
               "<scale>0.5</scale>\n"
               "<heading>0.000000</heading>\n"
               "<Icon>\n"
               "<href>auto.png</href>\n"
               "</Icon>\n"
               "</IconStyle>\n"
               "</Style>\n"
               "<Point>\n"
               "<coordinates>130.750000,-12.500000,-3.250000</coordinates>\n"
               "</Point>\n"
               "</Placemark>\n",
               Placemark(record, 7)));
}

TEST(WaypointPlacemark, GgaStatusTexts) {
  struct Case {
    std::uint8_t gga_flag;
    int quality;
    std::string text;
  };
  const std::vector<Case> cases = {
      {1, 0, "N/A (0)"},     {1, 1, "Fix valid (1)"}, {1, 2, "Diff fix valid (2)"},
      {1, 4, "RTK Fix (4)"}, {1, 5, "RTK Float (5)"}, {1, 6, "Dead (6)"},
      {1, 3, "None"},        {1, 7, "None"},          {1, 8, "None"},
      {1, -1, "None"},       {0, 0, "None"},          {0, 4, "None"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " from quality " + std::to_string(c.quality));
    waypoints record = GgaRecord(c.quality);
    record.gga_flag = c.gga_flag;
    EXPECT_EQ(LineStartingWith(Placemark(record), "\t<tr><th>Status(GGA)"),
              "\t<tr><th>Status(GGA)</th><td>" + c.text + "</td></tr>\n");
  }
}

TEST(WaypointPlacemark, GsaStatusTexts) {
  struct Case {
    int fix_type;
    std::string text;
  };
  const std::vector<Case> cases = {{0, "0"},      {1, "N/A (1)"}, {2, "2D (2)"},
                                   {3, "3D (3)"}, {4, "4"},       {-7, "-7"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    waypoints record = GgaRecord(1);
    record.gsa_fix_type = c.fix_type;
    EXPECT_EQ(LineStartingWith(Placemark(record), "\t<tr><th>Status(GSA)"),
              "\t<tr><th>Status(GSA)</th><td>" + c.text + "</td></tr>\n");
  }
}

TEST(WaypointPlacemark, SatellitesTableOnlyAfterGsv) {
  waypoints record = GgaRecord(1);
  // Filled out of order on purpose: the table follows the systems and their numbers.
  SatelliteNamed(record, "R32") = {.elevation = 10, .snr = 42, .azimuth = 350, .in_view = 1};
  SatelliteNamed(record, "S120") = {.elevation = 20, .azimuth = 180, .used = 1, .in_view = 1};
  SatelliteNamed(record, "G1") = {.elevation = 90, .snr = 50, .in_view = 1};
  SatelliteNamed(record, "G2") = {.used = 1};  // used, but no GSV named it
  const std::string satellites_table =
      "\t<table>\n"
      "<tfoot><tr><th colspan=5 align=center>Information about the satellites</th></tr></tfoot>\n"
      "\t<tr>\t<th>SYS</th>\t<th>Svn</th>\t<th>El</th>\t<th>Az</th>\t<th>SNR</th>\t</tr>\n"
      "\t<tr>\t<td>G</td>\t<td>1</td>\t<td>90</td>\t<td>0</td>\t<td>50</td>\t</tr>\n"
      "\t<tr>\t<td>S</td>\t<td>120*</td>\t<td>20</td>\t<td>180</td>\t<td>0</td>\t</tr>\n"
      "\t<tr>\t<td>R</td>\t<td>32</td>\t<td>10</td>\t<td>350</td>\t<td>42</td>\t</tr>\n"
      "\t</table>\n"
      "]]></description>\n";
  record.gsv_seen = 1;
  const std::string with_gsv = Placemark(record);
  EXPECT_NE(with_gsv.find("\t<tr><th>SAT</th><td>0</td></tr>\n\t</table>\n" + satellites_table),
            std::string::npos)
      << with_gsv;
  record.gsv_seen = 0;
  const std::string without_gsv = Placemark(record);
  EXPECT_NE(without_gsv.find("\t<tr><th>SAT</th><td>0</td></tr>\n\t</table>\n]]></description>\n"),
            std::string::npos)
      << without_gsv;
}

// Every system has its own rows, so the same number in several systems makes several rows, in
// the order G S R E C J I and by number within a system.
TEST(WaypointPlacemark, SatellitesTableListsEverySystemInItsOwnRows) {
  waypoints record = GgaRecord(1);
  record.gsv_seen = 1;
  SatelliteNamed(record, "I14") = {.elevation = 7, .snr = 17, .azimuth = 70, .in_view = 1};
  SatelliteNamed(record, "J1") = {
      .elevation = 6, .snr = 16, .azimuth = 60, .used = 1, .in_view = 1};
  SatelliteNamed(record, "C63") = {.elevation = 5, .snr = 15, .azimuth = 50, .in_view = 1};
  SatelliteNamed(record, "C5") = {
      .elevation = 4, .snr = 14, .azimuth = 40, .used = 1, .in_view = 1};
  SatelliteNamed(record, "E5") = {.elevation = 3, .snr = 13, .azimuth = 30, .in_view = 1};
  SatelliteNamed(record, "R5") = {.elevation = 2, .snr = 12, .azimuth = 20, .in_view = 1};
  SatelliteNamed(record, "S158") = {.elevation = 1, .snr = 11, .azimuth = 10, .in_view = 1};
  SatelliteNamed(record, "G5") = {.elevation = 0, .snr = 10, .azimuth = 0, .used = 1, .in_view = 1};
  SatelliteNamed(record, "E36") = {.used = 1};  // used, not in view: no row
  const std::string placemark = Placemark(record);
  const std::string rows = placemark.substr(placemark.find("\t<tr>\t<td>"));
  EXPECT_EQ(rows,
            "\t<tr>\t<td>G</td>\t<td>5*</td>\t<td>0</td>\t<td>0</td>\t<td>10</td>\t</tr>\n"
            "\t<tr>\t<td>S</td>\t<td>158</td>\t<td>1</td>\t<td>10</td>\t<td>11</td>\t</tr>\n"
            "\t<tr>\t<td>R</td>\t<td>5</td>\t<td>2</td>\t<td>20</td>\t<td>12</td>\t</tr>\n"
            "\t<tr>\t<td>E</td>\t<td>5</td>\t<td>3</td>\t<td>30</td>\t<td>13</td>\t</tr>\n"
            "\t<tr>\t<td>C</td>\t<td>5*</td>\t<td>4</td>\t<td>40</td>\t<td>14</td>\t</tr>\n"
            "\t<tr>\t<td>C</td>\t<td>63</td>\t<td>5</td>\t<td>50</td>\t<td>15</td>\t</tr>\n"
            "\t<tr>\t<td>J</td>\t<td>1*</td>\t<td>6</td>\t<td>60</td>\t<td>16</td>\t</tr>\n"
            "\t<tr>\t<td>I</td>\t<td>14</td>\t<td>7</td>\t<td>70</td>\t<td>17</td>\t</tr>\n"
            "\t</table>\n"
            "]]></description>\n"
            "<LookAt>\n"
            "<longitude>0.000000</longitude>\n"
            "<latitude>0.000000</latitude>\n"
            "<tilt>66</tilt>\n"
            "</LookAt>\n"
            "<TimeStamp>\n"
            "<when>2000-01-01T10:10:10.00Z</when>\n"
            "</TimeStamp>\n"
            "<Style>\n"
            "<IconStyle>\n"
            "<scale>0.5</scale>\n"
            "<heading>0.000000</heading>\n"
            "<Icon>\n"
            "<href>auto.png</href>\n"
            "</Icon>\n"
            "</IconStyle>\n"
            "</Style>\n"
            "<Point>\n"
            "<coordinates>0.000000,0.000000,0.000000</coordinates>\n"
            "</Point>\n"
            "</Placemark>\n");
}

TEST(WaypointPlacemark, HeightShownByExtrudingToTheGround) {
  waypoints record = GgaRecord(1);
  record.longitude = 1;
  record.latitude = 2;
  record.altitude = 3;
  const auto point = [&](bool show_height) {
    const std::string placemark = Placemark(record, 0, show_height);
    return placemark.substr(placemark.find("<Point>"));
  };
  const std::string point_end =
      "<coordinates>1.000000,2.000000,3.000000</coordinates>\n"
      "</Point>\n"
      "</Placemark>\n";
  EXPECT_TRUE(SameText("<Point>\n" + point_end, point(false)));
  EXPECT_TRUE(
      SameText("<Point>\n"
               "<extrude>1</extrude>\n"
               "<altitudeMode>relativeToGround</altitudeMode>\n" +
                   point_end,
               point(true)));
}

// The date shows its source by a marker after it; the texts stand as they came, markers and
// all, whatever they hold.
TEST(WaypointPlacemark, TheDateShowsWhereItCameFrom) {
  struct Case {
    std::string date_text;
    DateSource source;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"2000-01-01", DateSource::Fixed, "2000-01-01^"},
      {"2026-12-09", DateSource::Clock, "2026-12-09*"},
      {"2020-03-18", DateSource::Receiver, "2020-03-18"},
      {"", DateSource::Receiver, ""},
      {"", DateSource::Fixed, "^"},
      {"a*b^c", DateSource::Receiver, "a*b^c"},
      {"2020-03-182020-03-19", DateSource::Receiver, "2020-03-182020-03-19"},
      {std::string(40, '9'), DateSource::Fixed, std::string(40, '9') + "^"},  // no length limit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    waypoints record = GgaRecord(1);
    record.date_text = c.date_text;
    record.date_source = c.source;
    EXPECT_EQ(LineStartingWith(Placemark(record), "\t<tr><th>Time"),
              "\t<tr><th>Time</th><td>" + c.shown + "T101010.00Z</td></tr>\n");
  }
}

// The placemark's TimeStamp element, or "" when it has none.
std::string TimeStampOf(const std::string& placemark) {
  const std::size_t begin = placemark.find("<TimeStamp>");
  if (begin == std::string::npos) {
    return placemark.find("<when>") == std::string::npos ? "" : "(a when outside a TimeStamp)";
  }
  const std::string end = "</TimeStamp>\n";
  return placemark.substr(begin, placemark.find(end, begin) + end.size() - begin);
}

TEST(WaypointPlacemark, TimeStampOnlyForARealDateTime) {
  struct Case {
    std::string legend;
    std::string date_text;
    std::string time_text;
    std::string when;  // "" for no TimeStamp
  };
  const std::vector<Case> cases = {
      {"fixed date", "2000-01-01^", "123814.20", "2000-01-01T12:38:14.20Z"},
      {"clock date", "2026-12-09*", "081500.4", "2026-12-09T08:15:00.4Z"},
      {"receiver date, no marker", "2020-03-18", "235959", "2020-03-18T23:59:59Z"},
      {"midnight on a leap day", "2024-02-29", "000000", "2024-02-29T00:00:00Z"},
      {"leap second", "2016-12-31", "235960.5", "2016-12-31T23:59:60.5Z"},
      {"fraction as received", "2020-03-18", "120000.1234567890",
       "2020-03-18T12:00:00.1234567890Z"},
      {"fraction of zeros", "2020-03-18", "120000.000", "2020-03-18T12:00:00.000Z"},
      {"empty time text", "2000-01-01^", "", ""},
      {"empty date part", "", "123814.20", ""},
      {"marker alone", "^", "123814.20", ""},
      {"30 February", "2020-02-30", "123814.20", ""},
      {"29 February of a common year", "2023-02-29*", "123814.20", ""},
      {"month 13", "2020-13-01", "123814.20", ""},
      {"year 0", "0000-01-01", "123814.20", ""},
      {"RMC date field 000000", "2000-00-00", "123814.20", ""},
      {"date without leading zeros", "2020-3-18", "123814.20", ""},
      {"doubled date from a merge", "2024-03-012024-03-01", "123814.20", ""},
      {"doubled date, marker at the end", "2024-03-012024-03-01*", "123814.20", ""},
      {"doubled date, markers", "2024-03-01*2024-03-01*", "123814.20", ""},
      {"two markers", "2024-03-01^^", "123814.20", ""},
      {"hour 24", "2000-01-01^", "240000", ""},
      {"minute 60", "2000-01-01^", "126000", ""},
      {"second 61", "2000-01-01^", "120061", ""},
      {"five-digit time", "2000-01-01^", "12000", ""},
      {"seven digits", "2000-01-01^", "1200000", ""},
      {"empty fraction", "2000-01-01^", "120000.", ""},
      {"comma before the fraction", "2000-01-01^", "120000,5", ""},
      {"two points", "2000-01-01^", "120000.1.2", ""},
      {"letter in the fraction", "2000-01-01^", "120000.5a", ""},
      {"sign", "2000-01-01^", "+12000", ""},
      {"minus sign", "2000-01-01^", "-120000", ""},
      {"leading blank", "2000-01-01^", " 120000", ""},
      {"trailing blank", "2000-01-01^", "120000 ", ""},
      {"blank inside", "2000-01-01^", "12 000", ""},
      {"letter", "2000-01-01^", "12a000", ""},
      {"colons already", "2000-01-01^", "12:00:00", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record = GgaRecord(1);
    SetDate(record, c.date_text);
    record.time_text = c.time_text;
    const std::string placemark = Placemark(record);
    EXPECT_EQ(TimeStampOf(placemark),
              c.when.empty() ? "" : "<TimeStamp>\n<when>" + c.when + "</when>\n</TimeStamp>\n");
    // The description shows what the log and the settings gave, marker included.
    EXPECT_EQ(LineStartingWith(placemark, "\t<tr><th>Time"),
              "\t<tr><th>Time</th><td>" + c.date_text + "T" + c.time_text + "Z</td></tr>\n");
    EXPECT_TRUE(testing::IsWellFormedXml(placemark));
  }
}

TEST(WaypointPlacemark, HostileTextsAreMadeSafe) {
  waypoints record = GgaRecord(1);
  record.time_text = "&<>]]>\x01\xff";
  SetDate(record, "]]>\x7f\xc3\xa9^");
  record.gsv_seen = 1;
  SatelliteNamed(record, "G5") = {.elevation = 1, .snr = 2, .azimuth = 3, .in_view = 1};
  const std::string placemark = WrittenText([&](DocumentStream& stream) {
    WriteWaypointPlacemark(stream, record, 0, "auto.png", "0.5</scale>", false);
  });
  EXPECT_EQ(
      LineStartingWith(placemark, "\t<tr><th>Time"),
      "\t<tr><th>Time</th><td>]]]]><![CDATA[>\x7f\xc3\xa9^T&<>]]]]><![CDATA[>??Z</td></tr>\n");
  EXPECT_EQ(TimeStampOf(placemark), "");  // neither text is a date or a time
  EXPECT_EQ(LineStartingWith(placemark, "<scale>"), "<scale>0.5&lt;/scale&gt;</scale>\n");
  EXPECT_EQ(LineStartingWith(placemark, "\t<tr>\t<td>"),
            "\t<tr>\t<td>G</td>\t<td>5</td>\t<td>1</td>\t<td>3</td>\t<td>2</td>\t</tr>\n");
  EXPECT_TRUE(testing::IsWellFormedXml(placemark));
}

}  // namespace
}  // namespace trackmint
