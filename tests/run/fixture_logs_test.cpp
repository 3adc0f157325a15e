// Real receiver logs through the input phase. The expected facts were worked out by reading each
// log: its sentences, their times and checksums.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "run/input_phase.h"
#include "support/fixtures.h"
#include "support/read_log.h"
#include "support/satellite_sky.h"

namespace trackmint {

namespace {

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

EpochList ReadFixture(const std::string& name) {
  return testing::ReadFixtureLog(name, kClock);
}
EpochList ReadSharedFixture(const std::string& path) {
  return testing::ReadLogFile(path, kClock);
}

int CountQuality(const EpochList& epochs, int quality) {
  int count = 0;
  for (const waypoints& record : epochs) count += record.gga_fix_quality == quality;
  return count;
}

int CountEpochs(const EpochList& epochs, const std::function<bool(const waypoints&)>& test) {
  int count = 0;
  for (const waypoints& record : epochs) count += test(record);
  return count;
}

// Which sentences an epoch was made of: a GGA and an RMC of the same time, or one alone.
struct FlagCounts {
  int both = 0;
  int gga_only = 0;
  int rmc_only = 0;
  bool operator==(const FlagCounts&) const = default;
};

void PrintTo(const FlagCounts& counts, std::ostream* os) {
  *os << "{both " << counts.both << ", GGA only " << counts.gga_only << ", RMC only "
      << counts.rmc_only << "}";
}

FlagCounts CountFlags(const EpochList& epochs) {
  FlagCounts counts;
  for (const waypoints& record : epochs) {
    if (record.gga_flag && record.rmc_flag) {
      ++counts.both;
    } else if (record.gga_flag) {
      ++counts.gga_only;
    } else if (record.rmc_flag) {
      ++counts.rmc_only;
    }
  }
  return counts;
}

std::vector<std::string> TimeTexts(const EpochList& epochs) {
  std::vector<std::string> texts;
  for (const waypoints& record : epochs) texts.push_back(record.time_text);
  return texts;
}

std::vector<std::string> DateTexts(const EpochList& epochs) {
  std::vector<std::string> texts;
  for (const waypoints& record : epochs) texts.push_back(record.date_text);
  return texts;
}

using testing::InView;
using testing::kNotUsed;
using testing::kUsed;
using testing::NamedSatellite;
using testing::SatelliteNamed;
using testing::SatellitesInView;
using testing::UsedOnly;
using testing::UsedSatellites;

// The whole satellites table: the given entries, in table order, every other one empty.
void ExpectSky(const waypoints& record, const std::vector<NamedSatellite>& sky) {
  SCOPED_TRACE("satellites of epoch " + record.time_text);
  EXPECT_EQ(testing::FilledSatellites(record), sky);
}

// The rows a system's satellites fill in the tables of all epochs, added up.
int RowsOfSystem(const EpochList& epochs, SatelliteSystem system) {
  int rows = 0;
  for (const waypoints& record : epochs) {
    for (int row = 0; row < kSatelliteRowCount; ++row) {
      rows += SatelliteOfRow(row).system == system &&
              record.satellites[static_cast<std::size_t>(row)].in_view == 1;
    }
  }
  return rows;
}

// The rows of each system in table order, G S R E C J I.
std::vector<int> RowsBySystem(const EpochList& epochs) {
  std::vector<int> rows;
  for (const SystemRows& system : kSystemRows) rows.push_back(RowsOfSystem(epochs, system.system));
  return rows;
}

// Every field but the satellites table.
void ExpectFix(const waypoints& actual, const waypoints& expected) {
  SCOPED_TRACE("epoch " + expected.time_text);
  EXPECT_EQ(actual.time_text, expected.time_text);
  EXPECT_EQ(actual.date_text, expected.date_text);
  EXPECT_EQ(actual.date_source, expected.date_source);
  EXPECT_NEAR(actual.latitude, expected.latitude, 1e-12);
  EXPECT_NEAR(actual.longitude, expected.longitude, 1e-12);
  EXPECT_DOUBLE_EQ(actual.altitude, expected.altitude);
  EXPECT_DOUBLE_EQ(actual.rms_error, expected.rms_error);
  EXPECT_DOUBLE_EQ(actual.hdop, expected.hdop);
  EXPECT_DOUBLE_EQ(actual.differential_age, expected.differential_age);
  EXPECT_NEAR(actual.speed, expected.speed, 1e-12);
  EXPECT_DOUBLE_EQ(actual.course_over_ground, expected.course_over_ground);
  EXPECT_EQ(actual.gga_fix_quality, expected.gga_fix_quality);
  EXPECT_EQ(actual.satellites_in_use, expected.satellites_in_use);
  EXPECT_EQ(actual.gsa_fix_type, expected.gsa_fix_type);
  EXPECT_EQ(actual.rmc_status, expected.rmc_status);
  EXPECT_EQ(actual.mode_indicator, expected.mode_indicator);
  EXPECT_EQ(actual.gsv_seen, expected.gsv_seen);
  EXPECT_EQ(actual.gga_flag, expected.gga_flag);
  EXPECT_EQ(actual.rmc_flag, expected.rmc_flag);
}

// Trimble, 10 Hz, GGA then RMC of each time, talker switching between GN and GP.
TEST(FixtureLogs, TrimbleRtk) {
  const EpochList epochs = ReadFixture("gpsd/nmea-rtk.log");
  ASSERT_EQ(epochs.size(), 122u);
  EXPECT_EQ(CountQuality(epochs, 2), 104);
  EXPECT_EQ(CountQuality(epochs, 4), 18);

  const waypoints& first = epochs.front();
  EXPECT_EQ(first.time_text, "132819.60");
  EXPECT_NEAR(first.latitude, 41 + 34.49795459 / 60, 1e-12);
  EXPECT_NEAR(first.longitude, -(93 + 45.03431408 / 60), 1e-12);
  EXPECT_EQ(first.altitude, 278.161);
  EXPECT_EQ(first.satellites_in_use, 10);
  EXPECT_EQ(first.hdop, 0.9);
  EXPECT_EQ(first.differential_age, 6.6);
  EXPECT_NEAR(first.speed, 0.148 * 1.852, 1e-12);
  EXPECT_EQ(first.course_over_ground, 124.888);
  EXPECT_EQ(first.date_text, "2020-03-18");
  EXPECT_EQ(first.rmc_status, 'A');
  EXPECT_EQ(first.mode_indicator, '\0');  // its GGA came first
  EXPECT_EQ(first.gga_flag, 1);
  EXPECT_EQ(first.rmc_flag, 1);

  EXPECT_EQ(epochs.back().time_text, "133901.50");
  EXPECT_EQ(epochs.back().gga_fix_quality, 4);
  EXPECT_EQ(epochs.back().satellites_in_use, 19);
}

// u-blox F9R: RMC before GGA, RTK float, UBX and RTCM frames between the sentences. GSA carries
// the system id; GSV lists of GPS, GLONASS, Galileo and BeiDou end with a signal id.
TEST(FixtureLogs, UbloxRtkFloatAmongBinaryFrames) {
  const EpochList epochs = ReadFixture("gpsd/ublox-zed-f9r.log");
  ASSERT_EQ(epochs.size(), 30u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{30, 0, 0}));
  EXPECT_EQ(CountQuality(epochs, 5), 30);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.mode_indicator == 'F'; }), 30);

  ExpectFix(epochs.front(), {.time_text = "231408.00",
                             .date_text = "2025-04-11",
                             .latitude = 45 + 3.94632 / 60,
                             .longitude = 7 + 39.54368 / 60,
                             .altitude = 257.4,
                             .hdop = 0.82,
                             .speed = 0.013 * 1.852,
                             .gga_fix_quality = 5,
                             .satellites_in_use = 12,
                             .gsa_fix_type = 3,
                             .rmc_status = 'A',
                             .mode_indicator = 'F',
                             .gsv_seen = 1,
                             .gga_flag = 1,
                             .rmc_flag = 1});
  // Each system's GSA (system ids 1 to 5) marks its own satellites, so Galileo 04 and BeiDou 20
  // are other satellites than GPS 4 and 20, and the PDOP 1.42 marks nothing. Galileo comes on
  // signals 2, 7 and 0, BeiDou on 1, B and 0: each satellite once, with its strongest SNR
  // (Galileo 04: 21 on signal 2, 27 on signal 7); the signal-0 sets give no SNR at all.
  ExpectSky(epochs.front(),
            {
                InView("G4", 2, 85, 16, kNotUsed),    InView("G5", 31, 311, 42, kUsed),
                InView("G6", 16, 202, 19, kNotUsed),  InView("G7", 65, 66, 28, kUsed),
                InView("G9", 32, 81, 36, kUsed),      InView("G11", 33, 232, 39, kUsed),
                InView("G13", 21, 270, 42, kUsed),    InView("G14", 11, 161, 15, kNotUsed),
                InView("G16", 1, 23, 14, kNotUsed),   InView("G20", 65, 284, 39, kUsed),
                InView("G30", 70, 193, 20, kUsed),    InView("R4", 33, 88, 31, kUsed),
                InView("R5", 66, 15, 26, kUsed),      InView("R6", 18, 301, 26, kUsed),
                InView("R14", 39, 46, 31, kUsed),     InView("R15", 54, 130, 25, kUsed),
                InView("R16", 15, 177, 0, kNotUsed),  InView("R20", 18, 240, 0, kNotUsed),
                InView("R21", 26, 294, 36, kUsed),    InView("R22", 7, 347, 0, kNotUsed),
                InView("E4", 77, 354, 27, kUsed),     InView("E6", 59, 286, 43, kUsed),
                InView("E9", 35, 275, 44, kUsed),     InView("E10", 28, 208, 19, kNotUsed),
                InView("E11", 41, 238, 35, kUsed),    InView("E12", 12, 189, 0, kNotUsed),
                InView("E19", 29, 75, 32, kUsed),     InView("E21", 26, 64, 24, kUsed),
                InView("E23", 27, 121, 18, kNotUsed), InView("E27", 1, 20, 0, kNotUsed),
                InView("E31", 3, 165, 0, kNotUsed),   InView("E36", 33, 302, 40, kUsed),
                InView("C2", 0, 100, 0, kNotUsed),    InView("C5", 18, 120, 0, kNotUsed),
                InView("C6", 7, 47, 0, kNotUsed),     InView("C9", 22, 48, 26, kUsed),
                InView("C20", 15, 298, 44, kUsed),    InView("C23", 53, 149, 0, kNotUsed),
                InView("C25", 43, 63, 28, kUsed),     InView("C29", 9, 304, 34, kNotUsed),
                InView("C30", 8, 254, 19, kNotUsed),  InView("C32", 69, 319, 36, kUsed),
                InView("C33", 1, 113, 0, kNotUsed),   InView("C37", 15, 192, 21, kNotUsed),
                InView("C41", 48, 104, 31, kUsed),    InView("C60", 2, 104, 0, kNotUsed),
            });

  // GLONASS 85 on signal 1 at 37 dB-Hz, then on signal 3 at 8: the row keeps 37.
  EXPECT_EQ(epochs[25].time_text, "231433.00");
  EXPECT_EQ(SatelliteNamed(epochs[25], "R21"), InView("R21", 26, 294, 37, kUsed).entry);

  ExpectFix(epochs.back(), {.time_text = "231437.00",
                            .date_text = "2025-04-11",
                            .latitude = 45 + 3.94634 / 60,
                            .longitude = 7 + 39.54434 / 60,
                            .altitude = 256.4,
                            .hdop = 0.87,
                            .speed = 0.033 * 1.852,
                            .gga_fix_quality = 5,
                            .satellites_in_use = 12,
                            .gsa_fix_type = 3,
                            .rmc_status = 'A',
                            .mode_indicator = 'F',
                            .gsv_seen = 1,
                            .gga_flag = 1,
                            .rmc_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs.back()),
            (std::vector<std::string>{"G5",  "G7",  "G9",  "G11", "G13", "G20", "G30", "R4", "R5",
                                      "R6",  "R14", "R15", "R16", "R21", "E4",  "E6",  "E9", "E11",
                                      "E19", "E21", "E36", "C9",  "C20", "C25", "C32", "C41"}));
  // Rows in all epochs: G S R E C J I.
  EXPECT_EQ(RowsBySystem(epochs), (std::vector<int>{330, 0, 270, 360, 420, 0, 0}));
}

// Quectel L76K at 5 Hz: GGA before RMC, GSA with system id, BeiDou GSV under the BD talker,
// GLONASS numbers 65 to 84. The capture starts after one GGA and ends inside an epoch.
TEST(FixtureLogs, QuectelMultiSystemFiveHertz) {
  const EpochList epochs = ReadFixture("gpsd/quectel-l76k-nmea.log");
  ASSERT_EQ(epochs.size(), 151u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{149, 1, 1}));
  EXPECT_EQ(CountQuality(epochs, 1), 150);

  // The first GGA of the capture is missing, so its RMC stands alone and keeps its mode.
  ExpectFix(epochs[0], {.time_text = "055234.000",
                        .date_text = "2026-08-05",
                        .latitude = 47 + 39.71890 / 60,
                        .longitude = -(122 + 19.58362 / 60),
                        .course_over_ground = 286.35,
                        .rmc_status = 'A',
                        .mode_indicator = 'A',
                        .rmc_flag = 1});

  const waypoints& second = epochs[1];
  ExpectFix(second, {.time_text = "055234.200",
                     .date_text = "2026-08-05",
                     .latitude = 47 + 39.71890 / 60,
                     .longitude = -(122 + 19.58362 / 60),
                     .altitude = 76.5,
                     .hdop = 0.9,
                     .course_over_ground = 286.35,
                     .gga_fix_quality = 1,
                     .satellites_in_use = 14,
                     .gsa_fix_type = 3,
                     .rmc_status = 'A',
                     .mode_indicator = '\0',  // GGA first
                     .gsv_seen = 1,
                     .gga_flag = 1,
                     .rmc_flag = 1});
  // BeiDou 13, 27 and 37 in their own rows, used by the GSA with system id 4; GPS 1 is in view,
  // and the PDOP 1.5 does not make it used.
  EXPECT_EQ(UsedSatellites(second),
            (std::vector<std::string>{"G2", "G7", "G14", "G15", "G17", "G20", "G22", "G30", "R9",
                                      "R19", "R20", "C13", "C27", "C37"}));
  EXPECT_EQ(SatellitesInView(second),
            (std::vector<std::string>{"G1",  "G2",  "G7",  "G8",  "G14", "G15", "G17", "G19", "G20",
                                      "G22", "G24", "G30", "R1",  "R7",  "R8",  "R9",  "R10", "R11",
                                      "R16", "R18", "R19", "R20", "C13", "C27", "C37"}));
  EXPECT_EQ(SatelliteNamed(second, "G1"), InView("G1", 17, 83, 3, kNotUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "G8"), InView("G8", 0, 0, 15, kNotUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "R1"), InView("R1", 19, 333, 0, kNotUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "R10"), InView("R10", 52, 302, 0, kNotUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "R20"), InView("R20", 12, 149, 26, kUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "C13"), InView("C13", 19, 43, 17, kUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "C27"), InView("C27", 38, 127, 33, kUsed).entry);
  EXPECT_EQ(SatelliteNamed(second, "C37"), InView("C37", 36, 91, 24, kUsed).entry);

  // The log ends after the first GSV sentence of the last epoch.
  ExpectFix(epochs.back(), {.time_text = "055304.000",
                            .date_text = "",  // its RMC is cut off
                            .latitude = 47 + 39.71870 / 60,
                            .longitude = -(122 + 19.58353 / 60),
                            .altitude = 76.5,
                            .hdop = 0.9,
                            .gga_fix_quality = 1,
                            .satellites_in_use = 14,
                            .gsa_fix_type = 3,
                            .gsv_seen = 1,
                            .gga_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs.back()),
            (std::vector<std::string>{"G1", "G2", "G7", "G14", "G15", "G17", "G20", "G22", "G30",
                                      "R9", "R20", "C13", "C27", "C37"}));
  EXPECT_EQ(SatellitesInView(epochs.back()), (std::vector<std::string>{"G1", "G2", "G7", "G8"}));
  // Rows in all epochs: G S R E C J I.
  EXPECT_EQ(RowsBySystem(epochs), (std::vector<int>{1792, 0, 1613, 0, 447, 0, 0}));
}

// Multi-system receivers number Galileo and BeiDou satellites from 1 again: each lands in its own
// system's rows, none on a GPS or SBAS row. With the system id last in GSA, the PDOP is no
// satellite either, so GPS 1 is used exactly in the epochs whose GPS list names 01.
void ExpectOtherSystemsOffGpsAndSbasRows(const EpochList& epochs, int epochs_using_gps_1) {
  EXPECT_EQ(
      CountEpochs(epochs, [](const waypoints& r) { return SatelliteNamed(r, "G1").used == 1; }),
      epochs_using_gps_1);
  EXPECT_EQ(CountEpochs(epochs,
                        [](const waypoints& r) {
                          for (const NamedSatellite& satellite : testing::FilledSatellites(r)) {
                            if (satellite.name.starts_with('S')) return true;
                          }
                          return false;
                        }),
            0);
}

TEST(FixtureLogs, OtherSystemsStayOffGpsAndSbasRows) {
  struct Case {
    const char* log;
    int epochs_using_satellite_1;
  };
  const Case cases[] = {
      {"gpsd/ublox-zed-f9r.log", 0},
      {"gpsd/quectel-l76k-nmea.log", 113},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log);
    ExpectOtherSystemsOffGpsAndSbasRows(ReadFixture(c.log), c.epochs_using_satellite_1);
  }
}

TEST(FixtureLogs, OtherSystemsStayOffGpsAndSbasRowsOfTheImuReceiver) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(log, "qfield/happyWithIMU.txt");
  ExpectOtherSystemsOffGpsAndSbasRows(ReadSharedFixture(log), 14);
}

// Garmin 25LP, NMEA 2.0: RMC before GGA, no mode field, no fix then a 2D fix.
TEST(FixtureLogs, Garmin25NmeaTwo) {
  const EpochList epochs = ReadFixture("gpsd/garmin25lp.log");
  ASSERT_EQ(epochs.size(), 20u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{19, 0, 1}));
  EXPECT_EQ(CountQuality(epochs, 0), 10);
  EXPECT_EQ(CountQuality(epochs, 1), 10);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.gsa_fix_type == 2; }), 10);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.mode_indicator != '\0'; }), 0);

  // The log starts with the RMC of a time whose GGA is not in it.
  ExpectFix(epochs.front(), {.time_text = "120316",
                             .date_text = "2005-03-15",
                             .latitude = 42 + 21.4394 / 60,
                             .longitude = 13 + 21.9948 / 60,
                             .rmc_status = 'V',
                             .gsv_seen = 1,
                             .rmc_flag = 1});
  ExpectSky(epochs.front(), {
                                InView("G1", 10, 158, 45, kNotUsed),
                                InView("G3", 72, 164, 41, kNotUsed),
                                InView("G11", 24, 279, 0, kNotUsed),
                                InView("G14", 30, 119, 48, kNotUsed),
                                InView("G15", 33, 70, 40, kNotUsed),
                                InView("G16", 5, 184, 0, kNotUsed),
                                InView("G18", 20, 46, 0, kNotUsed),
                                InView("G19", 73, 304, 0, kNotUsed),
                            });

  // The first fix reports 00 satellites in use; its GSA leaves the VDOP empty.
  ExpectFix(epochs[10], {.time_text = "120326",
                         .date_text = "2005-03-15",
                         .latitude = 42 + 21.3871 / 60,
                         .longitude = 13 + 22.0800 / 60,
                         .altitude = 746.1,
                         .hdop = 3.1,
                         .gga_fix_quality = 1,
                         .satellites_in_use = 0,
                         .gsa_fix_type = 2,
                         .rmc_status = 'A',
                         .gsv_seen = 1,
                         .gga_flag = 1,
                         .rmc_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs[10]), (std::vector<std::string>{"G1", "G3", "G14"}));

  ExpectFix(epochs.back(), {.time_text = "120335",
                            .date_text = "2005-03-15",
                            .latitude = 42 + 21.3898 / 60,
                            .longitude = 13 + 22.0780 / 60,
                            .altitude = 746.1,
                            .hdop = 3.1,
                            .gga_fix_quality = 1,
                            .satellites_in_use = 3,
                            .gsa_fix_type = 2,
                            .rmc_status = 'A',
                            .gsv_seen = 1,
                            .gga_flag = 1,
                            .rmc_flag = 1});
  EXPECT_EQ(
      SatellitesInView(epochs.back()),
      (std::vector<std::string>{"G1", "G3", "G11", "G14", "G15", "G16", "G18", "G19", "G22"}));
  EXPECT_EQ(SatelliteNamed(epochs.back(), "G22"), InView("G22", 50, 54, 0, kNotUsed).entry);
  EXPECT_EQ(SatelliteNamed(epochs.back(), "G14"), InView("G14", 30, 119, 47, kUsed).entry);
}

// GPS-320FW spoofed to 2019-04-07, then a cold start: many sentences cut short, run together or
// with wrong checksums, an RMC with NUL bytes and no "*", RMC dates from 2006, 2010 and 220899.
// The header comment holds a GSV with a right checksum, taken before any epoch exists.
TEST(FixtureLogs, ColdBootWithDamagedSentences) {
  const EpochList epochs = ReadFixture("gpsd/gp-320fw-2019-04-07-coldboot.log");
  ASSERT_EQ(epochs.size(), 19u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{7, 3, 9}));
  EXPECT_EQ(CountQuality(epochs, 1), 2);
  EXPECT_EQ(TimeTexts(epochs), (std::vector<std::string>{
                                   "000343.03", "000345.03", "235948.00", "235949.00", "235950.00",
                                   "193515.00", "235957.00", "235958.00", "235959.00", "000002.00",
                                   "000410.00", "000425.00", "000427.00", "000430.00", "000431.00",
                                   "000432.00", "000433.00", "000434.00", "000435.00"}));
  // The RMC sentences without a date all have wrong checksums, so no date comes from the clock.
  EXPECT_EQ(DateTexts(epochs), (std::vector<std::string>{
                                   "", "2019-04-07", "2006-12-16", "2006-12-16", "2006-12-16",
                                   "2010-09-30", "2010-09-25", "2010-09-25", "2010-09-25",
                                   "2010-09-26", "", "2099-08-22", "", "2099-08-22", "2099-08-22",
                                   "2099-08-22", "2099-08-22", "2099-08-22", "2099-08-22"}));

  // The RMC of 000344.03 is cut short (wrong checksum): the GGA epoch before it stands alone.
  ExpectFix(epochs[0], {.time_text = "000343.03",
                        .date_text = "",
                        .latitude = 48 + 8.9993 / 60,
                        .longitude = 11 + 35.0798 / 60,
                        .altitude = 460.0,
                        .hdop = 1.4,
                        .gga_fix_quality = 1,
                        .satellites_in_use = 4,
                        .gsa_fix_type = 3,
                        .gsv_seen = 1,
                        .gga_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs[0]), (std::vector<std::string>{"G4", "G13", "G20", "G31"}));
  EXPECT_EQ(SatellitesInView(epochs[0]),
            (std::vector<std::string>{"G4", "G6", "G7", "G11", "G13", "G14", "G20", "G31"}));

  ExpectFix(epochs[1], {.time_text = "000345.03",
                        .date_text = "2019-04-07",
                        .latitude = 48 + 8.9993 / 60,
                        .longitude = 11 + 35.0798 / 60,
                        .altitude = 459.9,
                        .hdop = 1.4,
                        .speed = 0.1 * 1.852,
                        .gga_fix_quality = 1,
                        .satellites_in_use = 4,
                        .gsa_fix_type = 3,
                        .rmc_status = 'A',
                        .mode_indicator = 'A',
                        .gsv_seen = 1,
                        .gga_flag = 1,
                        .rmc_flag = 1});

  // The malformed GSV with a right checksum ($GPGSV,3,3,12,2,40,16,00,090,*72): satellite 2 in
  // view; 090 (GLONASS slot 26) is cut off before its elevation and changes nothing.
  ExpectFix(
      epochs[10],
      {.time_text = "000410.00", .date_text = "", .gsa_fix_type = 1, .gsv_seen = 1, .gga_flag = 1});
  ExpectSky(epochs[10], {InView("G2", 40, 16, 0, kNotUsed)});

  ExpectFix(epochs.back(), {.time_text = "000435.00",
                            .date_text = "2099-08-22",
                            .gsa_fix_type = 1,
                            .rmc_status = 'V',
                            .mode_indicator = 'N',
                            .gsv_seen = 1,
                            .gga_flag = 1,
                            .rmc_flag = 1});
  EXPECT_EQ(SatellitesInView(epochs.back()),
            (std::vector<std::string>{"G1", "G4", "G5", "G6", "G13", "G16", "G17", "G20", "G23",
                                      "G24", "G25", "G31"}));
  EXPECT_EQ(SatelliteNamed(epochs.back(), "G4"), InView("G4", 20, 270, 40, kNotUsed).entry);
}

// Magellan EC-10X: RMC only, checksums in lower case, void RMC sentences with an empty date.
TEST(FixtureLogs, MagellanLowerCaseChecksums) {
  const EpochList epochs = ReadFixture("gpsd/magellan-ec10.log");
  ASSERT_EQ(epochs.size(), 38u);  // 22 of them with letters in their checksum
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{0, 0, 38}));
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.rmc_status == 'A'; }), 21);
  EXPECT_EQ(CountEpochs(epochs,
                        [](const waypoints& r) {
                          return r.date_text == "2026-12-09" && r.date_source == DateSource::Clock;
                        }),
            17);

  // Checksum 4a; without a date of its own the void RMC takes the clock's.
  ExpectFix(epochs.front(), {.time_text = "205150.00",
                             .date_text = "2026-12-09",
                             .date_source = DateSource::Clock,
                             .rmc_status = 'V',
                             .rmc_flag = 1});
  // Checksum 4e.
  ExpectFix(epochs[10], {.time_text = "205210.00",
                         .date_text = "2005-06-09",
                         .latitude = 44 + 5.556 / 60,
                         .longitude = -(121 + 18.398 / 60),
                         .rmc_status = 'A',
                         .rmc_flag = 1});
  ExpectFix(epochs.back(), {.time_text = "205304.00",
                            .date_text = "2026-12-09",
                            .date_source = DateSource::Clock,
                            .rmc_status = 'V',
                            .rmc_flag = 1});
}

// SiRF-TriG: BeiDou satellites 201 to 214 under the GB talker and in a GN GSA; GGA before RMC.
TEST(FixtureLogs, BeidouUnderGbTalker) {
  const EpochList epochs = ReadFixture("gpsd/beidou-gb.log");
  ASSERT_EQ(epochs.size(), 5u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{5, 0, 0}));
  EXPECT_EQ(CountQuality(epochs, 0), 3);
  EXPECT_EQ(CountQuality(epochs, 1), 2);
  // BeiDou 201 to 214 under GB are C 1 to 14. Rows in all epochs: G S R E C J I.
  EXPECT_EQ(RowsBySystem(epochs), (std::vector<int>{102, 0, 0, 0, 37, 0, 0}));

  ExpectFix(epochs.front(), {.time_text = "053229.438",
                             .date_text = "2015-03-02",
                             .gsa_fix_type = 1,
                             .rmc_status = 'V',
                             .gsv_seen = 1,
                             .gga_flag = 1,
                             .rmc_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs.front()), std::vector<std::string>{});
  EXPECT_EQ(SatellitesInView(epochs.front()),
            (std::vector<std::string>{"G4",  "G5",  "G6",  "G7",  "G9",  "G11", "G12", "G14", "G15",
                                      "G16", "G17", "G18", "G21", "G22", "G23", "G24", "G25", "G26",
                                      "G27", "G28", "G31", "C1",  "C2",  "C4",  "C5",  "C9"}));

  const waypoints& first_fix = epochs[3];
  ExpectFix(first_fix, {.time_text = "053232.438",
                        .date_text = "2015-03-02",
                        .latitude = 31 + 14.8789 / 60,
                        .longitude = 121 + 35.2442 / 60,
                        .altitude = 153.8,
                        .hdop = 1.2,
                        .speed = 0.26 * 1.852,
                        .course_over_ground = 167.42,
                        .gga_fix_quality = 1,
                        .satellites_in_use = 6,
                        .gsa_fix_type = 3,
                        .rmc_status = 'A',
                        .mode_indicator = '\0',  // GGA first; the RMC says A
                        .gsv_seen = 1,
                        .gga_flag = 1,
                        .rmc_flag = 1});
  // The second GN GSA lists BeiDou 201 without a system id, so it is read with the GP numbering,
  // in which 201 is QZSS 9: C1 gets no mark, and the mark on J9 shows in no row.
  EXPECT_EQ(UsedSatellites(first_fix),
            (std::vector<std::string>{"G12", "G14", "G18", "G22", "G24", "G31", "J9"}));
  EXPECT_EQ(SatellitesInView(first_fix),
            (std::vector<std::string>{"G3",  "G5",  "G6",  "G7",  "G9",  "G11", "G12", "G14",
                                      "G15", "G16", "G18", "G21", "G22", "G23", "G24", "G25",
                                      "G26", "G27", "G28", "G30", "G31", "C1",  "C2",  "C3",
                                      "C4",  "C5",  "C6",  "C7",  "C9",  "C10", "C13", "C14"}));
  EXPECT_EQ(SatelliteNamed(first_fix, "G22"), InView("G22", 80, 39, 49, kUsed).entry);
  EXPECT_EQ(SatelliteNamed(first_fix, "C1"), InView("C1", 49, 147, 44, kNotUsed).entry);
  EXPECT_EQ(SatelliteNamed(first_fix, "C13"), InView("C13", 83, 243, 0, kNotUsed).entry);

  ExpectFix(epochs.back(), {.time_text = "053233.438",
                            .date_text = "2015-03-02",
                            .latitude = 31 + 14.8821 / 60,
                            .longitude = 121 + 35.2428 / 60,
                            .altitude = 167.2,
                            .hdop = 1.2,
                            .speed = 0.07 * 1.852,
                            .course_over_ground = 167.42,
                            .gga_fix_quality = 1,
                            .satellites_in_use = 6,
                            .gsa_fix_type = 3,
                            .rmc_status = 'A',
                            .gsv_seen = 1,
                            .gga_flag = 1,
                            .rmc_flag = 1});
  EXPECT_EQ(SatellitesInView(epochs.back()).size(), 18u + 11u);  // GPS and BeiDou
}

// Quarter-second steps: RMC before the GGA of its time, sentences out of order, times that go
// back and times that come again after another epoch.
TEST(FixtureLogs, MillisecondStepsOutOfOrder) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(log, "gpsbabel/nmea+ms.txt");
  const EpochList epochs = ReadSharedFixture(log);
  ASSERT_EQ(epochs.size(), 37u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{23, 7, 7}));
  EXPECT_EQ(CountQuality(epochs, 1), 30);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.mode_indicator == 'A'; }), 30);
  EXPECT_EQ(TimeTexts(epochs),
            (std::vector<std::string>{
                "093156.000", "093156.500", "093156.750", "093157.000", "093157.250", "093157.500",
                "093157.750", "093158.250", "093158.500", "093158.000", "093158.500", "093158.750",
                "093159.000", "093200.500", "093200.750", "093159.750", "093159.250", "093159.500",
                "093159.750", "093200.000", "093200.250", "093202.250", "093200.500", "093200.750",
                "093201.000", "093201.250", "093201.500", "093201.750", "093202.000", "093203.750",
                "093202.250", "093202.500", "093202.750", "093203.000", "093203.250", "093203.500",
                "093205.750"}));

  // RMC first, then the GGA of the same time: one record with the RMC's mode and the GGA's fix.
  ExpectFix(epochs[1], {.time_text = "093156.500",
                        .date_text = "2007-08-17",
                        .latitude = 53 + 33.4037 / 60,
                        .longitude = 9 + 51.9345 / 60,
                        .altitude = 47.8,
                        .hdop = 1.7,
                        .speed = 0.20 * 1.852,
                        .course_over_ground = 171.41,
                        .gga_fix_quality = 1,
                        .satellites_in_use = 6,
                        .gsa_fix_type = 3,
                        .rmc_status = 'A',
                        .mode_indicator = 'A',
                        .gga_flag = 1,
                        .rmc_flag = 1});

  // 093158.500 twice: its RMC and its GGA are parted by the epoch 093158.000.
  ExpectFix(epochs[8], {.time_text = "093158.500",
                        .date_text = "2007-08-17",
                        .latitude = 53 + 33.4037 / 60,
                        .longitude = 9 + 51.9347 / 60,
                        .speed = 0.09 * 1.852,
                        .course_over_ground = 180.87,
                        .rmc_status = 'A',
                        .mode_indicator = 'A',
                        .rmc_flag = 1});
  ExpectFix(epochs[10], {.time_text = "093158.500",
                         .date_text = "",
                         .latitude = 53 + 33.4037 / 60,
                         .longitude = 9 + 51.9347 / 60,
                         .altitude = 48.4,
                         .hdop = 1.7,
                         .gga_fix_quality = 1,
                         .satellites_in_use = 6,
                         .gsa_fix_type = 3,
                         .gsv_seen = 1,
                         .gga_flag = 1});
  // Its GSV names three satellites, its GSA six others.
  ExpectSky(epochs[10], {
                            InView("G3", 7, 25, 0, kNotUsed),
                            UsedOnly("G8"),
                            InView("G19", 9, 54, 0, kNotUsed),
                            InView("G21", 14, 320, 0, kNotUsed),
                            UsedOnly("G24"),
                            UsedOnly("G26"),
                            UsedOnly("G27"),
                            UsedOnly("G28"),
                            UsedOnly("G29"),
                        });

  EXPECT_EQ(SatellitesInView(epochs[12]), (std::vector<std::string>{"G8", "G10", "G27", "G29"}));
  EXPECT_EQ(SatelliteNamed(epochs[12], "G8"), InView("G8", 71, 74, 27, kUsed).entry);

  ExpectFix(epochs.back(), {.time_text = "093205.750",
                            .date_text = "",
                            .latitude = 53 + 33.4037 / 60,
                            .longitude = 9 + 51.9345 / 60,
                            .altitude = 49.9,
                            .hdop = 1.7,
                            .gga_fix_quality = 1,
                            .satellites_in_use = 6,
                            .gga_flag = 1});
}

// "Happy" receiver with IMU: RTK float, GGA before RMC, 206-character $INS.NAVI lines, ASCII
// #REFSTATIONA logs, one block of GSV sentences every five epochs for four systems and several
// signals each.
TEST(FixtureLogs, RtkFloatWithLongProprietaryLines) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(log, "qfield/happyWithIMU.txt");
  const EpochList epochs = ReadSharedFixture(log);
  ASSERT_EQ(epochs.size(), 16u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{16, 0, 0}));
  EXPECT_EQ(CountQuality(epochs, 5), 16);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.mode_indicator != '\0'; }), 0);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.gsv_seen == 1; }), 3);

  ExpectFix(epochs.front(), {.time_text = "185815.00",
                             .date_text = "2023-04-20",
                             .latitude = 51 + 41.76777293 / 60,
                             .longitude = 5 + 17.51758218 / 60,
                             .altitude = 8.4491,
                             .hdop = 0.6,
                             .differential_age = 2,
                             .speed = 1.684 * 1.852,
                             .course_over_ground = 317.0,
                             .gga_fix_quality = 5,
                             .satellites_in_use = 23,
                             .gsa_fix_type = 3,
                             .rmc_status = 'A',
                             .mode_indicator = '\0',  // GGA first; the RMC says F
                             .gga_flag = 1,
                             .rmc_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs.front()),
            (std::vector<std::string>{"G1", "G3",  "G4",  "G8",  "G17", "G19", "G21", "G28",
                                      "R7", "R21", "E4",  "E10", "E11", "E12", "E30", "E36",
                                      "C5", "C9",  "C19", "C20", "C29", "C30", "C35"}));

  // Every satellite once, with the strongest SNR of its signals (GPS 01: 43 on signal 1, 39 on
  // signal 4, 34 on signal 8); Galileo and BeiDou in their own rows.
  EXPECT_EQ(epochs[2].time_text, "185817.00");
  ExpectSky(epochs[2],
            {
                InView("G1", 75, 112, 43, kUsed),     InView("G3", 67, 251, 46, kUsed),
                InView("G4", 18, 186, 42, kUsed),     InView("G8", 4, 169, 37, kUsed),
                InView("G17", 43, 296, 45, kUsed),    InView("G19", 22, 316, 42, kUsed),
                InView("G21", 51, 124, 38, kNotUsed), InView("G22", 0, 0, 36, kNotUsed),
                InView("G28", 16, 78, 26, kNotUsed),  InView("G32", 19, 42, 25, kNotUsed),
                InView("R7", 40, 209, 43, kUsed),     InView("R14", 10, 8, 41, kNotUsed),
                InView("R21", 69, 139, 43, kUsed),    InView("R22", 58, 316, 47, kNotUsed),
                InView("E2", 12, 296, 30, kUsed),     InView("E4", 52, 157, 43, kUsed),
                InView("E10", 69, 118, 42, kUsed),    InView("E11", 79, 299, 41, kUsed),
                InView("E12", 42, 119, 32, kNotUsed), InView("E30", 6, 345, 38, kUsed),
                InView("E36", 27, 299, 43, kUsed),    InView("C5", 14, 119, 34, kNotUsed),
                InView("C9", 32, 73, 31, kNotUsed),   InView("C19", 41, 218, 44, kUsed),
                InView("C20", 78, 104, 44, kUsed),    InView("C29", 62, 185, 46, kUsed),
                InView("C30", 14, 150, 36, kUsed),    InView("C32", 25, 54, 30, kNotUsed),
                InView("C35", 46, 298, 46, kUsed),
            });

  // GPS lists without 01 and PDOP 1.7, 2.4 and 4.1: GPS 1, 2 and 4 stay unused.
  EXPECT_EQ(UsedSatellites(epochs[3]),
            (std::vector<std::string>{"G3", "G4", "G8", "G17", "G19", "R7", "R21", "E4", "E10",
                                      "E11", "E36", "C19", "C20", "C29", "C35"}));
  EXPECT_EQ(
      UsedSatellites(epochs[4]),
      (std::vector<std::string>{"G3", "G4", "G8", "G17", "G19", "E4", "E36", "C19", "C29", "C35"}));
  EXPECT_EQ(epochs[11].time_text, "185826.00");
  EXPECT_EQ(UsedSatellites(epochs[11]), (std::vector<std::string>{"G1", "G3", "E10", "E11", "E36",
                                                                  "C19", "C20", "C29", "C35"}));
  // Rows in all epochs: G S R E C J I.
  EXPECT_EQ(RowsBySystem(epochs), (std::vector<int>{27, 0, 14, 14, 17, 0, 0}));

  ExpectFix(epochs.back(), {.time_text = "185830.00",
                            .date_text = "2023-04-20",
                            .latitude = 51 + 41.77657343 / 60,
                            .longitude = 5 + 17.50996338 / 60,
                            .altitude = 8.8608,
                            .hdop = 0.8,
                            .differential_age = 2,
                            .speed = 2.186 * 1.852,
                            .course_over_ground = 346.4,
                            .gga_fix_quality = 5,
                            .satellites_in_use = 18,
                            .gsa_fix_type = 3,
                            .rmc_status = 'A',
                            .gga_flag = 1,
                            .rmc_flag = 1});
}

// Garmin with WAAS, 2 s cycle over midnight, RMC before GGA, a text banner, blank lines and
// Garmin's own sentences (PGRME, PGRMZ) beside RMB, BOD and RTE.
TEST(FixtureLogs, GarminWaasTwoSecondCycle) {
  const EpochList epochs = ReadFixture("nmeaparser/NmeaSampleData.txt");
  ASSERT_EQ(epochs.size(), 4469u);
  EXPECT_EQ(CountFlags(epochs), (FlagCounts{4469, 0, 0}));
  EXPECT_EQ(CountEpochs(epochs,
                        [](const waypoints& r) {
                          return r.gga_fix_quality == 1 && r.mode_indicator == 'A';
                        }),
            3494);
  EXPECT_EQ(CountEpochs(epochs,
                        [](const waypoints& r) {
                          return r.gga_fix_quality == 2 && r.mode_indicator == 'D';
                        }),
            975);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.gsa_fix_type == 2; }), 37);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.date_text == "2005-09-25"; }),
            223);
  EXPECT_EQ(CountEpochs(epochs,
                        [](const waypoints& r) {
                          for (const std::string& name : UsedSatellites(r)) {
                            if (name.starts_with('S')) return true;
                          }
                          return false;
                        }),
            1027);
  EXPECT_EQ(CountEpochs(epochs, [](const waypoints& r) { return r.rms_error != 0; }), 0);

  ExpectFix(epochs.front(), {.time_text = "235234",
                             .date_text = "2005-09-25",
                             .latitude = 39 + 25.9702 / 60,
                             .longitude = -(119 + 45.9354 / 60),
                             .altitude = 1378.6,
                             .hdop = 0.8,
                             .speed = 45.1 * 1.852,
                             .course_over_ground = 153.1,
                             .gga_fix_quality = 1,
                             .satellites_in_use = 10,
                             .gsa_fix_type = 3,
                             .rmc_status = 'A',
                             .mode_indicator = 'A',
                             .gsv_seen = 1,
                             .gga_flag = 1,
                             .rmc_flag = 1});
  ExpectSky(epochs.front(), {
                                InView("G4", 16, 162, 46, kUsed),
                                InView("G7", 84, 207, 48, kUsed),
                                InView("G8", 34, 135, 45, kUsed),
                                InView("G9", 17, 315, 38, kUsed),
                                InView("G11", 16, 48, 39, kUsed),
                                InView("G24", 32, 117, 46, kUsed),
                                InView("G26", 38, 257, 49, kUsed),
                                InView("G27", 6, 139, 46, kUsed),
                                InView("G28", 52, 59, 42, kUsed),
                                InView("G29", 34, 242, 50, kUsed),
                                InView("S122", 10, 105, 41, kNotUsed),
                                InView("S134", 13, 252, 0, kNotUsed),
                            });

  // Midnight: the time starts again from 000000 and the date moves on.
  EXPECT_EQ(epochs[222].time_text, "235958");
  EXPECT_EQ(epochs[222].date_text, "2005-09-25");
  EXPECT_EQ(epochs[223].time_text, "000000");
  EXPECT_EQ(epochs[223].date_text, "2005-09-26");

  // While searching, the receiver lists SBAS 48 without a signal.
  EXPECT_EQ(epochs[1777].time_text, "010602");
  EXPECT_EQ(SatelliteNamed(epochs[1777], "S135"), InView("S135", 0, 0, 0, kNotUsed).entry);

  ExpectFix(epochs.back(), {.time_text = "025632",
                            .date_text = "2005-09-26",
                            .latitude = 39 + 26.5007 / 60,
                            .longitude = -(119 + 46.1986 / 60),
                            .altitude = 1366.7,
                            .hdop = 0.9,
                            .course_over_ground = 154.5,
                            .gga_fix_quality = 2,
                            .satellites_in_use = 9,
                            .gsa_fix_type = 3,
                            .rmc_status = 'A',
                            .mode_indicator = 'D',
                            .gsv_seen = 1,
                            .gga_flag = 1,
                            .rmc_flag = 1});
  EXPECT_EQ(UsedSatellites(epochs.back()),
            (std::vector<std::string>{"G2", "G4", "G5", "G7", "G9", "G10", "G24", "S122", "S134"}));
  EXPECT_EQ(SatellitesInView(epochs.back()),
            (std::vector<std::string>{"G2", "G4", "G5", "G6", "G7", "G9", "G10", "G24", "G30",
                                      "S122", "S134"}));
  EXPECT_EQ(SatelliteNamed(epochs.back(), "S122"), InView("S122", 10, 105, 42, kUsed).entry);
  EXPECT_EQ(SatelliteNamed(epochs.back(), "S134"), InView("S134", 13, 252, 44, kUsed).entry);
}

}  // namespace
}  // namespace trackmint
