#include "kml/kml_document.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "kml_test_support.h"
#include "support/fixtures.h"
#include "support/satellite_sky.h"
#include "support/scoped_locale.h"

namespace trackmint {
namespace {

using testing::SameText;

std::string Golden(const std::string& name) {
  return testing::ReadWholeFile(testing::SourcePath("tests/kml/golden/" + name));
}

waypoints Epoch(const char* time, std::uint8_t gga_flag, std::uint8_t rmc_flag, char status,
                int quality, char mode = 0) {
  waypoints record;
  record.time_text = time;
  record.gga_flag = gga_flag;
  record.rmc_flag = rmc_flag;
  record.rmc_status = status;
  record.gga_fix_quality = quality;
  record.mode_indicator = mode;
  return record;
}

void Place(waypoints& record, double latitude, double longitude, double altitude) {
  record.latitude = latitude;
  record.longitude = longitude;
  record.altitude = altitude;
}

// Every way an epoch is selected or passed over, with the fixed date on.
EpochList SelectionEpochs() {
  EpochList epochs;
  waypoints both_valid = Epoch("120000.00", 1, 1, 'A', 1);
  Place(both_valid, 41.574966, -93.750572, 278.161);
  both_valid.date_text = "2020-03-18";
  both_valid.speed = 0.274;
  both_valid.course_over_ground = 124.888;
  both_valid.satellites_in_use = 10;
  both_valid.hdop = 0.9;
  epochs.push_back(both_valid);

  waypoints both_void_with_fix = Epoch("120001.00", 1, 1, 'V', 1, 'N');
  Place(both_void_with_fix, 41.5, -93.25, 280.5);
  both_void_with_fix.date_text = "2020-03-18";
  both_void_with_fix.satellites_in_use = 9;
  both_void_with_fix.hdop = 1.2;
  both_void_with_fix.gsa_fix_type = 1;
  epochs.push_back(both_void_with_fix);

  waypoints both_void_without_fix = Epoch("120002.00", 1, 1, 'V', 0);
  Place(both_void_without_fix, 10, 10, 10);
  epochs.push_back(both_void_without_fix);

  waypoints gga_differential = Epoch("120003.00", 1, 0, 0, 2);
  Place(gga_differential, -33.865143, 151.2099, 12.25);
  gga_differential.satellites_in_use = 7;
  gga_differential.hdop = 1.05;
  gga_differential.differential_age = 3.5;
  gga_differential.gsa_fix_type = 2;
  epochs.push_back(gga_differential);

  waypoints gga_without_fix = Epoch("120004.00", 1, 0, 0, 0);
  Place(gga_without_fix, 20, 20, 20);
  epochs.push_back(gga_without_fix);

  waypoints rmc_blank_mode = Epoch("120005.00", 0, 1, 'A', 0, ' ');
  Place(rmc_blank_mode, 0.5, -0.25, 0);
  rmc_blank_mode.date_text = "2020-03-18";
  rmc_blank_mode.speed = 1.852;
  rmc_blank_mode.course_over_ground = 359.95;
  rmc_blank_mode.rms_error = 1.25;
  rmc_blank_mode.gsa_fix_type = 3;
  epochs.push_back(rmc_blank_mode);

  waypoints rmc_void = Epoch("120006.00", 0, 1, 'V', 0);
  Place(rmc_void, 30, 30, 30);
  rmc_void.date_text = "2020-03-18";
  epochs.push_back(rmc_void);

  waypoints no_sentence = Epoch("120007.00", 0, 0, 'A', 1);
  Place(no_sentence, 40, 40, 40);
  epochs.push_back(no_sentence);
  return epochs;
}

// The clock's date, show height, both tracks, and every class colour but Auto and Diff.
EpochList ClockDateEpochs() {
  EpochList epochs;
  waypoints gga_rtk_fix = Epoch("081500.0", 1, 0, 0, 4);
  Place(gga_rtk_fix, 9.0302, 38.7469, 2355.4);
  gga_rtk_fix.satellites_in_use = 12;
  gga_rtk_fix.hdop = 0.7;
  gga_rtk_fix.differential_age = 1.2;
  gga_rtk_fix.gsa_fix_type = 3;
  gga_rtk_fix.gsv_seen = 1;
  // GPS 3 and 17, SBAS PRN 127 (NMEA 40), GLONASS slot 6 (NMEA 70).
  using testing::SatelliteNamed;
  SatelliteNamed(gga_rtk_fix, "G3") = {
      .elevation = 45, .snr = 40, .azimuth = 120, .used = 1, .in_view = 1};
  SatelliteNamed(gga_rtk_fix, "G17") = {
      .elevation = 5, .snr = 0, .azimuth = 300, .used = 0, .in_view = 1};
  SatelliteNamed(gga_rtk_fix, "G20") = {.used = 1};  // listed by GSA, never in view: no row
  SatelliteNamed(gga_rtk_fix, "S127") = {
      .elevation = 30, .snr = 35, .azimuth = 200, .used = 0, .in_view = 1};
  SatelliteNamed(gga_rtk_fix, "R6") = {
      .elevation = 60, .snr = 42, .azimuth = 10, .used = 1, .in_view = 1};
  epochs.push_back(gga_rtk_fix);

  waypoints both_float = Epoch("081500.2", 1, 1, 'A', 5, 'F');
  Place(both_float, 9.0303, 38.747, 2355.5);
  both_float.date_text = "2020-03-18";
  both_float.speed = 3.704;
  both_float.course_over_ground = 90;
  both_float.satellites_in_use = 11;
  both_float.hdop = 0.7;
  both_float.differential_age = 1.2;
  epochs.push_back(both_float);

  waypoints rmc_estimated = Epoch("081500.4", 0, 1, 'A', 0, 'E');
  Place(rmc_estimated, 9.0304, 38.7471, 0);
  rmc_estimated.date_text = "2024-02-29";  // the RMC date field was empty
  rmc_estimated.date_source = DateSource::Clock;
  epochs.push_back(rmc_estimated);

  epochs.push_back(Epoch("081500.6", 1, 0, 0, 0));  // no fix, no position

  waypoints gga_quality_7 = Epoch("081501.0", 1, 0, 0, 7);
  Place(gga_quality_7, 9.0305, 38.7472, 2356);
  gga_quality_7.satellites_in_use = 4;
  gga_quality_7.hdop = 2.5;
  epochs.push_back(gga_quality_7);
  return epochs;
}

testing::DocumentSetup ClockDateSetup() {
  testing::DocumentSetup setup;
  setup.settings.use_fixed_date = false;
  setup.settings.show_height = true;
  setup.settings.use_all_waypoints = true;
  setup.settings.icon_scale_text = "0.6";
  setup.settings.track_width_text = "3";
  setup.settings.track_colour = 0x008000;
  return setup;
}

TEST(OutputPhase, SelectionWithFixedDate) {
  EpochList epochs = SelectionEpochs();
  testing::DocumentSetup setup;
  std::int32_t placemarks = -1;
  const std::string document =
      testing::WholeDocument(epochs, setup, testing::kConversionDay, &placemarks);
  EXPECT_TRUE(SameText(Golden("fixed_date_selection.kml"), document));
  EXPECT_TRUE(testing::IsWellFormedXml(document));
  EXPECT_EQ(placemarks, 4);
  // The dates stay in the list: the fixed date on every selected epoch with a GGA fix.
  constexpr DateSource kFixed = DateSource::Fixed;
  constexpr DateSource kReceiver = DateSource::Receiver;
  const std::vector<std::pair<std::string, DateSource>> dates = {
      {"2000-01-01", kFixed},    {"2000-01-01", kFixed}, {"", kReceiver},
      {"2000-01-01", kFixed},    {"", kReceiver},        {"2020-03-18", kReceiver},
      {"2020-03-18", kReceiver}, {"", kReceiver}};
  for (std::size_t i = 0; i < epochs.size(); ++i) {
    EXPECT_EQ(std::pair(epochs[i].date_text, epochs[i].date_source), dates[i]) << i;
  }
}

TEST(OutputPhase, ClockDateHeightAndBothTracks) {
  EpochList epochs = ClockDateEpochs();
  testing::DocumentSetup setup = ClockDateSetup();
  std::int32_t count = -1;
  const std::string document = testing::WrittenText([&](DocumentStream& stream) {
    stream.Write(
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
        "<Style id=\"NormalTrack\">\n<LineStyle>\n"
        "<color>FF008000</color>\n<width>3</width>\n</LineStyle>\n</Style>\n");
    count = testing::WriteEpochs(stream, epochs, setup, testing::kConversionDay);
  });
  EXPECT_TRUE(SameText(Golden("clock_date_all_waypoints.kml"), document));
  EXPECT_TRUE(testing::IsWellFormedXml(document));
  EXPECT_EQ(count, 4);
}

TEST(OutputPhase, EmptyEpochList) {
  const std::string opening =
      "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
      "<Style id=\"NormalTrack\">\n<LineStyle>\n<color>FF0000FF</color>\n"
      "<width>5</width>\n</LineStyle>\n</Style>\n"
      "<Folder>\n"
      "<name>WayPoints</name>\n"
      "</Folder>\n";
  EpochList epochs;
  testing::DocumentSetup setup;
  std::int32_t placemarks = -1;
  EXPECT_TRUE(
      SameText(opening + "</Document>\n</kml>",
               testing::WholeDocument(epochs, setup, testing::kConversionDay, &placemarks)));
  EXPECT_EQ(placemarks, 0);

  setup.settings.use_all_waypoints = true;
  const std::string document = testing::WholeDocument(epochs, setup);
  EXPECT_TRUE(SameText(opening + "<Style id=\"IncorrectTrack\">\n"
                                 "<LineStyle>\n"
                                 "<color>FF0000FF</color>\n"
                                 "<width>5</width>\n"
                                 "</LineStyle>\n"
                                 "</Style>\n"
                                 "<Placemark\n"
                                 "><name>IncorrectTrack</name>\n"
                                 "<styleUrl>#IncorrectTrack</styleUrl>\n"
                                 "<LineString>\n"
                                 "<tessellate>1</tessellate>\n"
                                 "<coordinates>\n"
                                 "</coordinates>\n"
                                 "</LineString>\n"
                                 "</Placemark>\n"
                                 "</Document>\n"
                                 "</kml>",
                       document));
  EXPECT_TRUE(testing::IsWellFormedXml(document));
}

// The icon of one epoch as its placemark names it; "" when it gets no placemark.
std::string IconOf(const waypoints& record) {
  EpochList epochs = testing::MakeEpochList({record});
  testing::DocumentSetup setup;
  std::int32_t placemarks = -1;
  const std::string document =
      testing::WholeDocument(epochs, setup, testing::kConversionDay, &placemarks);
  EXPECT_EQ(document.find("invalid.png"), std::string::npos);  // never the Invalid icon
  const std::size_t start = document.find("<href>");
  if (start == std::string::npos) {
    EXPECT_EQ(placemarks, 0);
    return "";
  }
  EXPECT_EQ(placemarks, 1);
  const std::size_t end = document.find("</href>", start);
  return document.substr(start + 6, end - start - 6);
}

TEST(OutputPhase, IconRules) {
  struct Case {
    const char* legend;
    waypoints record;
    std::string icon;
  };
  const std::vector<Case> cases = {
      // Both sentences: the first class that the quality or the mode names.
      {"both, quality 1", Epoch("1", 1, 1, 'A', 1), "auto.png"},
      {"both, quality 2 with mode A", Epoch("1", 1, 1, 'A', 2, 'A'), "auto.png"},
      {"both, quality 2, mode 0", Epoch("1", 1, 1, 'A', 2), "diff.png"},
      {"both, mode D", Epoch("1", 1, 1, 'A', 0, 'D'), "diff.png"},
      {"both, quality 4", Epoch("1", 1, 1, 'A', 4), "rtkfix.png"},
      {"both, mode P", Epoch("1", 1, 1, 'A', 0, 'P'), "rtkfix.png"},
      {"both, quality 5", Epoch("1", 1, 1, 'A', 5), "rtkfloat.png"},
      {"both, mode F", Epoch("1", 1, 1, 'A', 0, 'F'), "rtkfloat.png"},
      {"both, quality 6", Epoch("1", 1, 1, 'A', 6), "estimated.png"},
      {"both, mode E", Epoch("1", 1, 1, 'A', 0, 'E'), "estimated.png"},
      {"both, quality 5 with mode D", Epoch("1", 1, 1, 'A', 5, 'D'), "diff.png"},
      {"both, void with quality 6", Epoch("1", 1, 1, 'V', 6, 'N'), "estimated.png"},
      {"both, quality 3", Epoch("1", 1, 1, 'A', 3), "grey.png"},
      {"both, mode N", Epoch("1", 1, 1, 'A', 0, 'N'), "grey.png"},
      {"both, blank mode is no class here", Epoch("1", 1, 1, 'A', 0, ' '), "grey.png"},
      // GGA alone: the quality alone.
      {"GGA, quality 1", Epoch("1", 1, 0, 0, 1), "auto.png"},
      {"GGA, quality 2", Epoch("1", 1, 0, 0, 2), "diff.png"},
      {"GGA, quality 4", Epoch("1", 1, 0, 0, 4), "rtkfix.png"},
      {"GGA, quality 5", Epoch("1", 1, 0, 0, 5), "rtkfloat.png"},
      {"GGA, quality 6", Epoch("1", 1, 0, 0, 6), "estimated.png"},
      {"GGA, quality 3", Epoch("1", 1, 0, 0, 3), "grey.png"},
      {"GGA, quality 7", Epoch("1", 1, 0, 0, 7), "grey.png"},
      {"GGA, quality 8", Epoch("1", 1, 0, 0, 8), "grey.png"},
      {"GGA, quality -1", Epoch("1", 1, 0, 0, -1), "grey.png"},
      {"GGA, quality 2 ignores a mode", Epoch("1", 1, 0, 0, 2, 'A'), "diff.png"},
      // RMC alone: the mode indicator alone.
      {"RMC, blank mode", Epoch("1", 0, 1, 'A', 0, ' '), "auto.png"},
      {"RMC, mode A", Epoch("1", 0, 1, 'A', 0, 'A'), "auto.png"},
      {"RMC, mode D", Epoch("1", 0, 1, 'A', 0, 'D'), "diff.png"},
      {"RMC, mode P", Epoch("1", 0, 1, 'A', 0, 'P'), "rtkfix.png"},
      {"RMC, mode F", Epoch("1", 0, 1, 'A', 0, 'F'), "rtkfloat.png"},
      {"RMC, mode E", Epoch("1", 0, 1, 'A', 0, 'E'), "estimated.png"},
      {"RMC, mode N", Epoch("1", 0, 1, 'A', 0, 'N'), "grey.png"},
      {"RMC, mode R", Epoch("1", 0, 1, 'A', 0, 'R'), "grey.png"},
      {"RMC without mode field", Epoch("1", 0, 1, 'A', 0, 0), "grey.png"},
      {"RMC ignores a quality", Epoch("1", 0, 1, 'A', 1, 'N'), "grey.png"},
      // No usable fix: no placemark.
      {"both, void, quality 0", Epoch("1", 1, 1, 'V', 0, 'A'), ""},
      {"GGA, quality 0", Epoch("1", 1, 0, 0, 0), ""},
      {"RMC, void", Epoch("1", 0, 1, 'V', 0, 'A'), ""},
      {"RMC, no status", Epoch("1", 0, 1, 0, 0, 'A'), ""},
      {"no flags", Epoch("1", 0, 0, 'A', 1, 'A'), ""},
      {"flags that are not exactly 1", Epoch("1", 2, 2, 'A', 1, 'A'), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(IconOf(c.record), c.icon);
  }
}

TEST(OutputPhase, SameBytesUnderACommaLocale) {
  const testing::ScopedLocale comma(LC_ALL, testing::kCommaLocale);
  if (!comma.Active()) GTEST_SKIP() << testing::kCommaLocaleMissing;
  char comma_check[8];
  std::snprintf(comma_check, sizeof comma_check, "%.1f", 1.5);
  ASSERT_STREQ(comma_check, "1,5");

  EpochList selection = SelectionEpochs();
  testing::DocumentSetup fixed_date_setup;
  EXPECT_TRUE(SameText(Golden("fixed_date_selection.kml"),
                       testing::WholeDocument(selection, fixed_date_setup)));
  EpochList clock_date = ClockDateEpochs();
  testing::DocumentSetup clock_date_setup = ClockDateSetup();
  EXPECT_TRUE(SameText(Golden("clock_date_all_waypoints.kml"),
                       testing::WholeDocument(clock_date, clock_date_setup)));
}

TEST(OutputPhase, HostileTextsStillGiveAWellFormedDocument) {
  const std::string hostile =
      std::string("&<>]]>\"'\0\x01\x1b\x7f\xff\xc3(\xed\xa0\x80\xef\xbf\xbf", 21);
  const auto hostile_epochs = [&] {
    EpochList epochs = testing::MakeEpochList(
        {Epoch("", 1, 0, 0, 1), Epoch("x", 1, 1, 'A', 4), Epoch("y", 0, 1, 'A', 0, ' ')});
    for (waypoints& record : epochs) {
      record.time_text += hostile;
      record.date_text = hostile + "*" + hostile;
      record.gsv_seen = 1;
      testing::SatelliteNamed(record, "G1") = {.in_view = 1};
    }
    return epochs;
  };
  for (const bool fixed_date : {true, false}) {
    SCOPED_TRACE(fixed_date ? "fixed date" : "date of the log or the clock");
    EpochList epochs = hostile_epochs();
    testing::DocumentSetup setup;
    setup.settings.use_fixed_date = fixed_date;
    setup.settings.use_all_waypoints = true;
    setup.settings.show_height = true;
    setup.settings.fixed_date_text = hostile;
    setup.settings.icon_scale_text = hostile;
    setup.settings.track_width_text = hostile;
    const std::string document = testing::WholeDocument(epochs, setup);
    ASSERT_TRUE(testing::IsWellFormedXml(document)) << document;
    const testing::DocumentCensus census = testing::CountInDocument(document);
    EXPECT_EQ(census.waypoint_placemarks, 3);
    EXPECT_EQ(census.normal_track_vertices, 3);
    EXPECT_EQ(census.incorrect_track_vertices, 3);
  }
}

}  // namespace
}  // namespace trackmint
