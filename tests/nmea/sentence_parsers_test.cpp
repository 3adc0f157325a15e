#include "nmea/sentence_parsers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/satellite_sky.h"
#include "support/sentences.h"

namespace trackmint {
namespace {

using testing::FilledSatellites;
using testing::InView;
using testing::kNotUsed;
using testing::kUsed;
using testing::NamedSatellite;
using testing::SatelliteNamed;
using testing::Sentence;
using testing::UsedOnly;
using testing::UsedSatellites;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

// A record holding only the given satellites: what GSA and GSV sentences leave in a new record,
// beside their own fields.
waypoints SkyRecord(const std::vector<NamedSatellite>& sky) {
  waypoints record;
  for (const NamedSatellite& satellite : sky)
    SatelliteNamed(record, satellite.name) = satellite.entry;
  return record;
}

TEST(ParseGGA, ReadsEveryUsedField) {
  waypoints record;
  ParseGGA("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,3.5,0120*47", record);
  EXPECT_NEAR(record.latitude, 48.1173, 1e-12);
  EXPECT_NEAR(record.longitude, 11.516666666666667, 1e-12);

  waypoints expected;
  expected.time_text = "123519";
  expected.latitude = 48 + 7.038 / 60;    // ddmm.mmm: degrees, then minutes
  expected.longitude = 11 + 31.000 / 60;  // dddmm.mmm
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
    int quality;
  };
  const std::vector<Case> cases = {
      {"south and west are negative", Sentence("GPGGA,1,4807.038,S,01131.000,W,1,,,,,,,,"),
       -(48 + 7.038 / 60), -(11 + 31.000 / 60), 1},
      {"empty position fields leave zeros", Sentence("GPGGA,1,,N,,E,,,,,,,,,"), 0.0, 0.0, 0},
      {"a hemisphere is read by its first letter",
       Sentence("GPGGA,1,0030.0,South,00030.0,West,1,,,,,,,,"), -0.5, -0.5, 1},
      {"a field shorter than its degrees", Sentence("GPGGA,1,5,N,7,E,1,,,,,,,,"), 5.0, 7.0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGGA(c.sentence, record);
    EXPECT_NEAR(record.latitude, c.latitude, 1e-12);
    EXPECT_NEAR(record.longitude, c.longitude, 1e-12);
    EXPECT_EQ(record.gga_flag, 1);
    // Nothing else is touched: the whole record.
    waypoints expected;
    expected.time_text = "1";
    expected.latitude = c.latitude;
    expected.longitude = c.longitude;
    expected.gga_fix_quality = c.quality;
    expected.gga_flag = 1;
    EXPECT_EQ(record, expected);
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
  expected.latitude = 48 + 7.038 / 60;    // ddmm.mmm: degrees, then minutes
  expected.longitude = 11 + 31.000 / 60;  // dddmm.mmm
  expected.speed = 22.4 * 1.852;          // knots to km/h: 41.4848
  expected.course_over_ground = 84.4;
  expected.date_text = "2094-03-23";  // every two-digit year is 20yy
  expected.rmc_flag = 1;
  EXPECT_EQ(record, expected);
  EXPECT_NEAR(record.speed, 41.4848, 1e-9);
  EXPECT_NEAR(record.latitude, 48.1173, 1e-12);
  EXPECT_NEAR(record.longitude, 11.516666666666667, 1e-12);
  EXPECT_EQ(record.mode_indicator, '\0');  // NMEA 2.2: no field 12
}

TEST(ParseRMC, DateAndModeCases) {
  struct Case {
    const char* legend;
    std::string sentence;
    std::string date_text;
    DateSource date_source;
    char mode;
    char status;
  };
  constexpr DateSource kReceiver = DateSource::Receiver;
  const std::vector<Case> cases = {
      {"mode indicator of NMEA 2.3", Sentence("GPRMC,1,A,,,,,,,090607,,,D"), "2007-06-09",
       kReceiver, 'D', 'A'},
      {"empty date takes the clock's date", Sentence("GPRMC,1,V,,,,,,,,,,N"), "2026-12-09",
       DateSource::Clock, 'N', 'V'},
      {"short date field", Sentence("GPRMC,1,A,,,,,,,2303,,,"), "2000-03-23", kReceiver, '\0', 'A'},
      {"garbage date", Sentence("GPRMC,1,A,,,,,,,xx-1yy,,,A"), "2000--1-00", kReceiver, 'A', 'A'},
      {"empty status and mode", Sentence("GPRMC,1,,,,,,,,010100,,,"), "2000-01-01", kReceiver, '\0',
       '\0'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseRMC(c.sentence, record, kClock);
    EXPECT_EQ(record.date_text, c.date_text);
    EXPECT_EQ(record.date_source, c.date_source);
    EXPECT_EQ(record.mode_indicator, c.mode);
    EXPECT_EQ(record.rmc_status, c.status);
    EXPECT_EQ(record.rmc_flag, 1);
    // No position, speed or course fields: those stay 0.
    waypoints expected;
    expected.time_text = "1";
    expected.date_text = c.date_text;
    expected.date_source = c.date_source;
    expected.rmc_status = c.status;
    expected.mode_indicator = c.mode;
    expected.rmc_flag = 1;
    EXPECT_EQ(record, expected);
  }
}

// The used marks a GSA sentence leaves, as the entries of the table: only used flags.
std::vector<NamedSatellite> UsedOnlyEntries(const std::vector<std::string>& names) {
  std::vector<NamedSatellite> entries;
  for (const std::string& name : names) entries.push_back(UsedOnly(name));
  return entries;
}

TEST(ParseGSA, Cases) {
  struct Case {
    const char* legend;
    std::string sentence;
    std::vector<std::string> used;
    int fix_type;
  };
  const std::vector<Case> cases = {
      {"twelve slots, three dilutions",
       "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39",
       {"G4", "G5", "G9", "G12", "G24"},
       3},
      {"system id 1 does not make PDOP a satellite",
       Sentence("GNGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5,1"),
       {"G10", "G12"},
       3},
      {"system id 1 numbers SBAS, GLONASS and QZSS as GP does",
       Sentence("GNGSA,A,3,33,121,193,65,,,,,,,,,1.0,1.0,1.0,1"),
       {"S120", "S121", "R1", "J1"},
       3},
      {"system id 2: GLONASS numbers",
       Sentence("GNGSA,A,3,80,71,73,05,,,,,,,,,1.83,1.09,1.47,2"),
       {"R7", "R9", "R16"},
       3},
      {"system id 3: Galileo",
       Sentence("GNGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5,3"),
       {"E10", "E12"},
       3},
      {"system id 4: BeiDou",
       Sentence("GNGSA,A,2,10,212,,,,,,,,,,,1.8,1.0,1.5,4"),
       {"C10", "C12"},
       2},
      {"system id 5: QZSS",
       Sentence("GNGSA,A,3,02,07,195,11,,,,,,,,,1.8,1.0,1.5,5"),
       {"J2", "J3", "J7"},
       3},
      {"system id 6: NavIC",
       Sentence("GNGSA,A,3,03,14,15,,,,,,,,,,1.8,1.0,1.5,6"),
       {"I3", "I14"},
       3},
      {"system id 7 marks nothing", Sentence("GNGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5,7"), {}, 3},
      {"system id 0 marks nothing", Sentence("GNGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5,0"), {}, 3},
      {"Galileo talker", Sentence("GAGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5"), {"E10", "E12"}, 3},
      {"BeiDou talker BD", Sentence("BDGSA,A,3,10,12,,,,,,,,,,,1.8,1.0,1.5"), {"C10", "C12"}, 3},
      {"BeiDou talker GB", Sentence("GBGSA,A,3,210,,,,,,,,,,,,1.8,1.0,1.5"), {"C10"}, 3},
      {"QZSS talker GQ", Sentence("GQGSA,A,3,05,,,,,,,,,,,,1.8,1.0,1.5"), {"J5"}, 3},
      {"QZSS talker QZ", Sentence("QZGSA,A,3,193,,,,,,,,,,,,1.8,1.0,1.5"), {"J1"}, 3},
      {"NavIC talker", Sentence("GIGSA,A,3,05,,,,,,,,,,,,1.8,1.0,1.5"), {"I5"}, 3},
      {"GLONASS talker", Sentence("GLGSA,A,3,65,05,,,,,,,,,,,1.8,1.0,1.5"), {"R1"}, 3},
      {"the system id outranks the talker",
       Sentence("GPGSA,A,3,05,,,,,,,,,,,,1.8,1.0,1.5,3"),
       {"E5"},
       3},
      {"Quectel talker with system id 4",
       Sentence("PQGSA,A,3,05,207,,,,,,,,,,,1.0,1.0,1.0,4"),
       {"C5", "C7"},
       3},
      {"Quectel talker without system id",
       Sentence("PQGSA,A,3,05,207,,,,,,,,,,,1.0,1.0,1.0"),
       {},
       3},
      {"a short list", Sentence("GPGSA,A,3,04,05,2.5,1.3,2.1"), {"G4", "G5"}, 3},
      {"a long list",
       Sentence("GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,13,14,2.5,1.3,2.1"),
       {"G1", "G2", "G3", "G4", "G5", "G6", "G7", "G8", "G9", "G10", "G11", "G12", "G13", "G14"},
       3},
      {"empty dilution fields", Sentence("GPGSA,A,3,04,05,,,,,,,,,,12,,,"), {"G4", "G5", "G12"}, 3},
      {"numbers outside every range mark nothing",
       Sentence("GPGSA,A,3,00,97,119,159,192,203,33,96,,,,,1.0,1.0,1.0"),
       {"S120", "R32"},
       3},
      {"no satellite list", Sentence("GPGSA,A,1"), {}, 1},
      {"no fix type field", Sentence("GPGSA,A"), {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSA(c.sentence, record);
    EXPECT_EQ(FilledSatellites(record), UsedOnlyEntries(c.used));
    EXPECT_EQ(record.gsa_fix_type, c.fix_type);
    waypoints expected = SkyRecord(UsedOnlyEntries(c.used));
    expected.gsa_fix_type = c.fix_type;
    EXPECT_EQ(record, expected);  // the dilutions and the system id set nothing else
  }
}

// One GNGSA per system id: the same number 05 marks six different satellites.
TEST(ParseGSA, SentencesOfOneEpochAccumulateBySystem) {
  waypoints record;
  for (const char* body : {
           "GNGSA,A,3,05,33,,,,,,,,,,,1.8,1.0,1.5,1",
           "GNGSA,A,3,69,,,,,,,,,,,,1.8,1.0,1.5,2",
           "GNGSA,A,3,05,,,,,,,,,,,,1.8,1.0,1.5,3",
           "GNGSA,A,3,05,227,,,,,,,,,,,1.8,1.0,1.5,4",
           "GNGSA,A,3,05,,,,,,,,,,,,1.8,1.0,1.5,5",
           "GNGSA,A,2,05,,,,,,,,,,,,1.8,1.0,1.5,6",
       }) {
    ParseGSA(Sentence(body), record);
  }
  EXPECT_EQ(UsedSatellites(record),
            (std::vector<std::string>{"G5", "S120", "R5", "E5", "C5", "C27", "J5", "I5"}));
  EXPECT_EQ(record.gsa_fix_type, 2);  // the last one's
}

TEST(ParseGSV, StoresTheGroupsOfGpsSbasAndGlonass) {
  waypoints record;
  ParseGSV(Sentence("GPGSV,3,1,11,05,45,200,38,40,30,123,45,70,10,300,"), record);
  EXPECT_EQ(record.gsv_seen, 1);
  EXPECT_EQ(FilledSatellites(record),
            (std::vector<NamedSatellite>{InView("G5", 45, 200, 38, kNotUsed),
                                         InView("S127", 30, 123, 45, kNotUsed),
                                         InView("R6", 10, 300, 0, kNotUsed)}));
}

// Each talker's numbers, at the ends of their ranges; Quectel's by the system id.
TEST(ParseGSV, EachTalkerNamesItsOwnSatellites) {
  struct Case {
    const char* legend;
    std::string sentence;
    std::vector<NamedSatellite> sky;
  };
  const std::vector<Case> cases = {
      {"GP: GPS, SBAS, GLONASS and QZSS",
       Sentence("GPGSV,1,1,04,32,10,20,30,64,11,21,31,96,12,22,32,202,13,23,33"),
       {InView("G32", 10, 20, 30, kNotUsed), InView("S151", 11, 21, 31, kNotUsed),
        InView("R32", 12, 22, 32, kNotUsed), InView("J10", 13, 23, 33, kNotUsed)}},
      {"GP: SBAS by PRN",
       Sentence("GPGSV,1,1,02,158,10,20,30,120,11,21,31"),
       {InView("S120", 11, 21, 31, kNotUsed), InView("S158", 10, 20, 30, kNotUsed)}},
      {"GN as GP",
       Sentence("GNGSV,1,1,02,01,10,20,30,193,11,21,31"),
       {InView("G1", 10, 20, 30, kNotUsed), InView("J1", 11, 21, 31, kNotUsed)}},
      {"GL: GLONASS numbers only",
       Sentence("GLGSV,1,1,02,65,10,20,30,05,11,21,31"),
       {InView("R1", 10, 20, 30, kNotUsed)}},
      {"GA",
       Sentence("GAGSV,1,1,02,36,10,20,30,301,11,21,31"),
       {InView("E1", 11, 21, 31, kNotUsed), InView("E36", 10, 20, 30, kNotUsed)}},
      {"GB",
       Sentence("GBGSV,1,1,02,201,10,20,30,63,11,21,31"),
       {InView("C1", 10, 20, 30, kNotUsed), InView("C63", 11, 21, 31, kNotUsed)}},
      {"BD",
       Sentence("BDGSV,1,1,02,463,10,20,30,05,11,21,31"),
       {InView("C5", 11, 21, 31, kNotUsed), InView("C63", 10, 20, 30, kNotUsed)}},
      {"GQ",
       Sentence("GQGSV,1,1,02,10,10,20,30,193,11,21,31"),
       {InView("J1", 11, 21, 31, kNotUsed), InView("J10", 10, 20, 30, kNotUsed)}},
      {"QZ", Sentence("QZGSV,1,1,01,202,10,20,30"), {InView("J10", 10, 20, 30, kNotUsed)}},
      {"GI",
       Sentence("GIGSV,1,1,02,14,10,20,30,15,11,21,31"),
       {InView("I14", 10, 20, 30, kNotUsed)}},
      {"PQ with system id 4 (BeiDou)",
       "$PQGSV,2,1,08,02,20,116,,03,,,,05,34,137,,07,06,045,,0,4*52",
       {InView("C2", 20, 116, 0, kNotUsed), InView("C3", 0, 0, 0, kNotUsed),
        InView("C5", 34, 137, 0, kNotUsed), InView("C7", 6, 45, 0, kNotUsed)}},
      {"PQ with system id 5 (QZSS)",
       Sentence("PQGSV,1,1,01,194,10,20,30,0,5"),
       {InView("J2", 10, 20, 30, kNotUsed)}},
      {"PQ with system id 1 (GPS)",
       Sentence("PQGSV,1,1,01,05,10,20,30,1,1"),
       {InView("G5", 10, 20, 30, kNotUsed)}},
      {"a signal id after the groups",
       Sentence("GAGSV,1,1,02,04,77,354,27,36,33,302,40,7"),
       {InView("E4", 77, 354, 27, kNotUsed), InView("E36", 33, 302, 40, kNotUsed)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSV(c.sentence, record);
    EXPECT_EQ(FilledSatellites(record), c.sky);
    EXPECT_EQ(record.gsv_seen, 1);
    waypoints expected = SkyRecord(c.sky);
    expected.gsv_seen = 1;
    EXPECT_EQ(record, expected);
  }
}

TEST(ParseGSV, GroupCases) {
  struct Case {
    const char* legend;
    std::string sentence;
    SatelliteEntry entry;  // of GPS 7
    int gsv_seen;
  };
  const std::vector<Case> cases = {
      {"elevation and azimuth wrap", Sentence("GPGSV,1,1,01,07,300,70000,260"),
       InView("G7", 44, 4464, 4, kNotUsed).entry, 1},
      {"an empty SNR field before *", Sentence("GPGSV,1,1,01,07,30,120,"),
       InView("G7", 30, 120, 0, kNotUsed).entry, 1},
      {"empty fields of a first report give 0", Sentence("GPGSV,1,1,01,07,,,41,1"),
       InView("G7", 0, 0, 41, kNotUsed).entry, 1},
      {"* right after the number: a signal id", Sentence("GPGSV,1,1,01,07"), SatelliteEntry{}, 0},
      {"* inside the elevation", Sentence("GPGSV,1,1,01,07,30"), SatelliteEntry{}, 0},
      {"* inside the azimuth", Sentence("GPGSV,1,1,01,07,30,120"), SatelliteEntry{.elevation = 30},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSV(c.sentence, record);
    EXPECT_EQ(SatelliteNamed(record, "G7"), c.entry);
    EXPECT_EQ(record.gsv_seen, c.gsv_seen);
    waypoints expected;
    SatelliteNamed(expected, "G7") = c.entry;
    expected.gsv_seen = static_cast<std::uint8_t>(c.gsv_seen);
    EXPECT_EQ(record, expected);
  }
}

TEST(ParseGSV, LeavesTheTableAloneFor) {
  struct Case {
    const char* legend;
    std::string sentence;
  };
  const std::vector<Case> cases = {
      {"numbers outside the GP ranges",
       Sentence("GPGSV,2,1,06,00,10,20,30,97,10,20,30,119,10,20,30,159,10,20,30,192,10,20,30,203,"
                "10,20,30")},
      {"GL with a GPS number", Sentence("GLGSV,1,1,01,05,10,20,30")},
      {"GA beyond its ranges", Sentence("GAGSV,1,1,02,37,10,20,30,337,10,20,30")},
      {"GB beyond its ranges", Sentence("GBGSV,1,1,03,64,10,20,30,264,10,20,30,464,10,20,30")},
      {"GQ beyond its ranges", Sentence("GQGSV,1,1,02,11,10,20,30,203,10,20,30")},
      {"GI beyond its range", Sentence("GIGSV,1,1,01,15,10,20,30")},
      {"PQ with a signal id but no system id", Sentence("PQGSV,1,1,01,05,10,20,30,0")},
      {"PQ with neither", Sentence("PQGSV,1,1,01,05,10,20,30")},
      {"PQ with an empty system id", Sentence("PQGSV,1,1,01,05,10,20,30,0,")},
      {"PQ with system id 7", Sentence("PQGSV,1,1,01,05,10,20,30,0,7")},
      {"a signal id alone", Sentence("GPGSV,1,1,00,1")},
      {"no groups", Sentence("GPGSV,1,1,00")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    ParseGSV(c.sentence, record);
    EXPECT_EQ(record, waypoints());
  }
}

// NMEA 4.11: one GSV set per signal. The second signal's set of a u-blox F9 often has empty
// fields for satellites the first one tracked well.
TEST(ParseGSV, ASecondSignalKeepsWhatTheFirstReported) {
  waypoints record;
  ParseGSA(Sentence("GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,1"), record);
  ParseGSV(Sentence("GPGSV,1,1,02,05,40,120,42,07,30,200,38,1"), record);
  ParseGSV(Sentence("GAGSV,1,1,01,05,60,300,33,7"), record);
  ParseGSV(Sentence("GPGSV,1,1,02,05,,,,07,,,,6"), record);
  EXPECT_EQ(FilledSatellites(record),
            (std::vector<NamedSatellite>{InView("G5", 40, 120, 42, kUsed),
                                         InView("G7", 30, 200, 38, kNotUsed),
                                         InView("E5", 60, 300, 33, kNotUsed)}));
}

TEST(ParseGSV, ALaterReportReplacesWhatItGivesAndKeepsTheStrongestSnr) {
  struct Case {
    const char* legend;
    std::vector<std::string> bodies;
    NamedSatellite satellite;
  };
  const std::vector<Case> cases = {
      {"given fields replace, 0 included, and the larger SNR stays",
       {"GPGSV,1,1,01,07,30,200,38,1", "GPGSV,1,1,01,07,31,0,45,6", "GPGSV,1,1,01,07,,201,20,8"},
       InView("G7", 31, 201, 45, kNotUsed)},
      {"a repeated sentence changes nothing",
       {"GPGSV,1,1,01,07,30,200,38", "GPGSV,1,1,01,07,30,200,38"},
       InView("G7", 30, 200, 38, kNotUsed)},
      {"a group cut short in its azimuth gives only the elevation",
       {"GPGSV,1,1,01,07,30,200,38,1", "GPGSV,1,1,01,07,50,210"},
       InView("G7", 50, 200, 38, kNotUsed)},
      {"a repeated report of another talker's numbering",
       {"GBGSV,1,1,01,205,30,200,38,1", "BDGSV,1,1,01,05,,,44,5"},
       InView("C5", 30, 200, 44, kNotUsed)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    waypoints record;
    for (const std::string& body : c.bodies) ParseGSV(Sentence(body), record);
    EXPECT_EQ(FilledSatellites(record), std::vector<NamedSatellite>{c.satellite});
  }
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
    waypoints expected;
    expected.rms_error = c.rms_error;
    EXPECT_EQ(record, expected);  // the RMS error is all these sentences give
  }
}

}  // namespace
}  // namespace trackmint
