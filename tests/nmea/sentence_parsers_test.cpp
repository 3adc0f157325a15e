#include "nmea/sentence_parsers.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/sentences.h"

namespace trackmint {
namespace {

using testing::Sentence;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

SatelliteEntry Satellite(char letter, int number, int elevation, int azimuth, int snr, bool used,
                         bool in_view) {
  SatelliteEntry entry;
  entry.system_letter = letter;
  entry.satellite_number = static_cast<std::uint8_t>(number);
  entry.elevation = static_cast<std::uint8_t>(elevation);
  entry.azimuth = static_cast<std::uint16_t>(azimuth);
  entry.snr = static_cast<std::uint8_t>(snr);
  entry.used = used;
  entry.in_view = in_view;
  return entry;
}

TEST(ParseGGA, ReadsEveryUsedField) {
  waypoints record;
  ParseGGA("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,3.5,0120*47", record);
  EXPECT_NEAR(record.latitude, 48.1173, 1e-12);
  EXPECT_NEAR(record.longitude, 11.516666666666667, 1e-12);

  waypoints expected;
  expected.time_text = "123519";
  expected.latitude = record.latitude;
  expected.longitude = record.longitude;
  expected.gga_fix_quality = 1;
  expected.satellites_in_use = 8;
  expected.hdop = 0.9;
  expected.altitude = 545.4;
  expected.differential_age = 3.5;
  expected.gga_flag = 1;
  EXPECT_EQ(record, expected);
}

TEST(ParseGGA, PositionCases) {
  struct Case {
    const char* legend;
    std::string sentence;
    double latitude;
    double longitude;
  };
  const std::vector<Case> cases = {
      {"south and west are negative", Sentence("GPGGA,1,4807.038,S,01131.000,W,1,,,,,,,,"),
       -48.1173, -11.516666666666667},
      {"empty position fields leave zeros", Sentence("GPGGA,1,,N,,E,,,,,,,,,"), 0.0, 0.0},
      {"a hemisphere is read by its first letter",
       Sentence("GPGGA,1,0030.0,South,00030.0,West,1,,,,,,,,"), -0.5, -0.5},
      {"a field shorter than its degrees", Sentence("GPGGA,1,5,N,7,E,1,,,,,,,,"), 5.0, 7.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGGA(c.sentence, record);
    EXPECT_NEAR(record.latitude, c.latitude, 1e-12);
    EXPECT_NEAR(record.longitude, c.longitude, 1e-12);
    EXPECT_EQ(record.gga_flag, 1);
  }
}

TEST(ParseGGA, EmptyFieldsGiveZerosAndKeepTheFlag) {
  waypoints record;
  ParseGGA(Sentence("GPGGA,,,,,,,,,,,,,,"), record);
  waypoints expected;
  expected.gga_flag = 1;
  EXPECT_EQ(record, expected);
}

TEST(ParseRMC, ReadsEveryUsedField) {
  waypoints record;
  ParseRMC("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", record, kClock);
  waypoints expected;
  expected.time_text = "123519";
  expected.rmc_status = 'A';
  expected.latitude = record.latitude;
  expected.longitude = record.longitude;
  expected.speed = 22.4 * 1.852;  // 41.4848 km/h
  expected.course_over_ground = 84.4;
  expected.date_text = "2094-03-23";  // every two-digit year is 20yy
  expected.rmc_flag = 1;
  EXPECT_EQ(record, expected);
  EXPECT_NEAR(record.speed, 41.4848, 1e-9);
  EXPECT_NEAR(record.latitude, 48.1173, 1e-12);
  EXPECT_EQ(record.mode_indicator, '\0');  // NMEA 2.2: no field 12
}

TEST(ParseRMC, DateAndModeCases) {
  struct Case {
    const char* legend;
    std::string sentence;
    std::string date_text;
    char mode;
    char status;
  };
  const std::vector<Case> cases = {
      {"mode indicator of NMEA 2.3", Sentence("GPRMC,1,A,,,,,,,090607,,,D"), "2007-06-09", 'D',
       'A'},
      {"empty date takes the clock's date", Sentence("GPRMC,1,V,,,,,,,,,,N"), "2026-12-09*", 'N',
       'V'},
      {"short date field", Sentence("GPRMC,1,A,,,,,,,2303,,,"), "2000-03-23", '\0', 'A'},
      {"garbage date", Sentence("GPRMC,1,A,,,,,,,xx-1yy,,,A"), "2000--1-00", 'A', 'A'},
      {"empty status and mode", Sentence("GPRMC,1,,,,,,,,010100,,,"), "2000-01-01", '\0', '\0'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseRMC(c.sentence, record, kClock);
    EXPECT_EQ(record.date_text, c.date_text);
    EXPECT_EQ(record.mode_indicator, c.mode);
    EXPECT_EQ(record.rmc_status, c.status);
    EXPECT_EQ(record.rmc_flag, 1);
  }
}

std::vector<int> UsedSatellites(const waypoints& record) {
  std::vector<int> used;
  for (int i = 0; i < kSatelliteTableSize; ++i) {
    if (record.satellites[static_cast<std::size_t>(i)].used) used.push_back(i);
  }
  return used;
}

TEST(ParseGSA, Cases) {
  struct Case {
    const char* legend;
    std::string sentence;
    std::vector<int> used;
    int fix_type;
  };
  const std::vector<Case> cases = {
      {"twelve slots, three dilutions",
       "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39",
       {4, 5, 9, 12, 24},
       3},
      {"system id of NMEA 4.10 does not make PDOP a satellite",
       Sentence("GNGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5,1"),
       {10, 12},
       3},
      {"GLONASS numbers with system id 2",
       Sentence("GNGSA,A,3,80,71,73,,,,,,,,,,1.83,1.09,1.47,2"),
       {71, 73, 80},
       3},
      {"Galileo system id marks nothing",
       Sentence("GNGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5,3"),
       {},
       3},
      {"BeiDou system id marks nothing",
       Sentence("GNGSA,A,2,10,12,,,,,,,,,,,1.8,1.0,1.5,4"),
       {},
       2},
      {"Galileo talker marks nothing", Sentence("GAGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5"), {}, 3},
      {"BeiDou talker marks nothing", Sentence("BDGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5"), {}, 3},
      {"a short list", Sentence("GPGSA,A,3,04,05,2.5,1.3,2.1"), {4, 5}, 3},
      {"a long list",
       Sentence("GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,13,14,2.5,1.3,2.1"),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
       3},
      {"empty dilution fields", Sentence("GPGSA,A,3,04,05,,,,,,,,,,12,,,"), {4, 5, 12}, 3},
      {"numbers 0 and above 96 mark nothing",
       Sentence("GPGSA,A,3,00,97,200,33,96,,,,,,,,1.0,1.0,1.0"),
       {33, 96},
       3},
      {"no satellite list", Sentence("GPGSA,A,1"), {}, 1},
      {"no fix type field", Sentence("GPGSA,A"), {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSA(c.sentence, record);
    EXPECT_EQ(UsedSatellites(record), c.used);
    EXPECT_EQ(record.gsa_fix_type, c.fix_type);
    for (const SatelliteEntry& entry : record.satellites) {
      EXPECT_EQ(entry.in_view, 0);
      EXPECT_EQ(entry.system_letter, '\0');
    }
  }
}

TEST(ParseGSA, SentencesOfOneEpochAccumulate) {
  waypoints record;
  ParseGSA(Sentence("GNGSA,A,3,04,05,,,,,,,,,,,1.8,1.0,1.5,1"), record);
  ParseGSA(Sentence("GNGSA,A,2,70,,,,,,,,,,,,1.8,1.0,1.5,2"), record);
  EXPECT_EQ(UsedSatellites(record), (std::vector<int>{4, 5, 70}));
  EXPECT_EQ(record.gsa_fix_type, 2);  // the last one's
}

TEST(ParseGSV, StoresTheGroupsOfGpsSbasAndGlonass) {
  waypoints record;
  ParseGSV(Sentence("GPGSV,3,1,11,05,45,200,38,40,30,123,45,70,10,300,"), record);
  EXPECT_EQ(record.gsv_seen, 1);
  EXPECT_EQ(record.satellites[5], Satellite('G', 5, 45, 200, 38, false, true));
  EXPECT_EQ(record.satellites[40], Satellite('S', 127, 30, 123, 45, false, true));
  EXPECT_EQ(record.satellites[70], Satellite('R', 6, 10, 300, 0, false, true));
  int in_view = 0;
  for (const SatelliteEntry& entry : record.satellites) in_view += entry.in_view;
  EXPECT_EQ(in_view, 3);
}

TEST(ParseGSV, GroupCases) {
  struct Case {
    const char* legend;
    std::string sentence;
    int number;
    SatelliteEntry entry;
    int gsv_seen;
  };
  const std::vector<Case> cases = {
      {"range ends", Sentence("GPGSV,1,1,02,33,1,2,3,96,4,5,6"), 96,
       Satellite('R', 32, 4, 5, 6, false, true), 1},
      {"elevation and azimuth wrap", Sentence("GPGSV,1,1,01,07,300,70000,260"), 7,
       Satellite('G', 7, 44, 4464, 4, false, true), 1},
      {"* right after the number", Sentence("GPGSV,1,1,01,07"), 7,
       Satellite('G', 7, 0, 0, 0, false, false), 0},
      {"* inside the elevation", Sentence("GPGSV,1,1,01,07,30"), 7,
       Satellite('G', 7, 0, 0, 0, false, false), 0},
      {"* inside the azimuth", Sentence("GPGSV,1,1,01,07,30,120"), 7,
       Satellite('G', 7, 30, 0, 0, false, false), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSV(c.sentence, record);
    EXPECT_EQ(record.satellites[static_cast<std::size_t>(c.number)], c.entry);
    EXPECT_EQ(record.gsv_seen, c.gsv_seen);
  }
}

TEST(ParseGSV, LeavesTheTableAloneFor) {
  struct Case {
    const char* legend;
    std::string sentence;
  };
  const std::vector<Case> cases = {
      {"numbers 0, 97 and 301", Sentence("GPGSV,1,1,03,00,10,20,30,97,10,20,30,301,10,20,30")},
      {"Galileo talker", Sentence("GAGSV,1,1,01,05,10,20,30")},
      {"BeiDou talker GB", Sentence("GBGSV,1,1,01,05,10,20,30")},
      {"BeiDou talker BD", Sentence("BDGSV,1,1,01,05,10,20,30")},
      {"QZSS talker", Sentence("GQGSV,1,1,01,05,10,20,30")},
      {"NavIC talker", Sentence("GIGSV,1,1,01,05,10,20,30")},
      {"no groups", Sentence("GPGSV,1,1,00")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSV(c.sentence, record);
    EXPECT_EQ(record, waypoints());
  }
}

TEST(ParseGSV, ALaterSentenceOverwritesButKeepsFlags) {
  waypoints record;
  ParseGSA(Sentence("GPGSA,A,3,07,,,,,,,,,,,,1.0,1.0,1.0"), record);
  ParseGSV(Sentence("GPGSV,2,1,01,07,30,120,40"), record);
  ParseGSV(Sentence("GPGSV,2,2,01,07,31,121,"), record);
  EXPECT_EQ(record.satellites[7], Satellite('G', 7, 31, 121, 0, true, true));
}

TEST(ParseRMS, Cases) {
  struct Case {
    const char* legend;
    std::string sentence;
    double rms_error;
  };
  const std::vector<Case> cases = {
      {"PQVXD", Sentence("PQVXD,A,2.7"), 2.7},
      {"PZQJRZD with more fields", Sentence("PZQJRZD,A,0.9,1.2,x"), 0.9},
      {"only the leading number counts", Sentence("PQVXD,A,3.5m"), 3.5},
      {"* right after the second comma keeps the value", Sentence("PQVXD,A,"), 1.25},
      {"empty field 2 before more fields gives 0", Sentence("PQVXD,A,,3"), 0.0},
      {"no second comma keeps the value", Sentence("PQVXD,A"), 1.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    record.rms_error = 1.25;
    ParseRMS(c.sentence, record);
    EXPECT_EQ(record.rms_error, c.rms_error);
  }
}

}  // namespace
}  // namespace trackmint
