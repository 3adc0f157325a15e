#include "run/sentence_dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/epoch_list.h"
#include "support/satellite_sky.h"
#include "support/sentences.h"

namespace trackmint {
namespace {

using testing::FilledSatellites;
using testing::InView;
using testing::kNotUsed;
using testing::kUsed;
using testing::NamedSatellite;
using testing::SatellitesInView;
using testing::Sentence;
using testing::UsedSatellites;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

EpochList Build(const std::vector<std::string>& sentences) {
  EpochList epochs;
  for (const std::string& sentence : sentences) DispatchSentence(sentence, epochs, kClock);
  return epochs;
}

const std::string kRmc =
    Sentence("GPRMC,120000.00,A,4807.038,N,01131.000,E,010.0,090.0,091226,,,D");
const std::string kGga =
    Sentence("GPGGA,120000.00,4807.000,N,01131.500,E,4,12,0.8,545.4,M,46.9,M,1.5,0120");

// The records each makes alone, worked out from their fields.
waypoints RmcRecord() {
  waypoints record;
  record.time_text = "120000.00";
  record.rmc_status = 'A';
  record.latitude = 48 + 7.038 / 60;
  record.longitude = 11 + 31.000 / 60;
  record.speed = 10.0 * 1.852;  // knots to km/h
  record.course_over_ground = 90.0;
  record.date_text = "2026-12-09";
  record.mode_indicator = 'D';
  record.rmc_flag = 1;
  return record;
}

waypoints GgaRecord() {
  waypoints record;
  record.time_text = "120000.00";
  record.latitude = 48 + 7.000 / 60;
  record.longitude = 11 + 31.500 / 60;
  record.gga_fix_quality = 4;
  record.satellites_in_use = 12;
  record.hdop = 0.8;
  record.altitude = 545.4;
  record.differential_age = 1.5;
  record.gga_flag = 1;
  return record;
}

TEST(EpochList, RmcThenGgaOfOneTimeMakeOneRecordWithRmcPositionAndGgaFix) {
  const EpochList epochs = Build({
      kRmc,
      kGga,
      Sentence("GPGSA,A,3,04,05,,,,,,,,,,,1.5,0.8,1.2"),
      Sentence("GPGSV,3,1,09,04,45,200,38,05,30,100,40,07,10,50,"),
      Sentence("GPGSV,3,2,09,40,30,123,45"),
      Sentence("GLGSV,3,3,09,70,10,300,33"),
  });
  ASSERT_EQ(epochs.size(), 1u);
  const waypoints& record = epochs[0];
  EXPECT_EQ(record.gga_flag, 1);
  EXPECT_EQ(record.rmc_flag, 1);
  EXPECT_NEAR(record.latitude, 48.1173, 1e-12);  // the RMC position, not the GGA one
  EXPECT_NEAR(record.longitude, 11.5166666666667, 1e-12);
  EXPECT_EQ(record.mode_indicator, 'D');
  EXPECT_EQ(record.altitude, 545.4);
  EXPECT_EQ(record.gga_fix_quality, 4);
  EXPECT_EQ(record.satellites_in_use, 12);
  EXPECT_EQ(record.hdop, 0.8);
  EXPECT_EQ(record.differential_age, 1.5);
  EXPECT_EQ(record.date_text, "2026-12-09");
  EXPECT_EQ(record.gsa_fix_type, 3);
  EXPECT_EQ(UsedSatellites(record), (std::vector<std::string>{"G4", "G5"}));
  EXPECT_EQ(SatellitesInView(record), (std::vector<std::string>{"G4", "G5", "G7", "S127", "R6"}));

  // The whole record: the RMC's, the GGA's fix fields merged in, then what GSA and GSV add.
  waypoints expected = RmcRecord();
  expected.gga_fix_quality = 4;
  expected.satellites_in_use = 12;
  expected.hdop = 0.8;
  expected.altitude = 545.4;
  expected.differential_age = 1.5;
  expected.gga_flag = 1;
  expected.gsa_fix_type = 3;
  expected.gsv_seen = 1;
  testing::SatelliteNamed(expected, "G4") = InView("G4", 45, 200, 38, kUsed).entry;
  testing::SatelliteNamed(expected, "G5") = InView("G5", 30, 100, 40, kUsed).entry;
  testing::SatelliteNamed(expected, "G7") = InView("G7", 10, 50, 0, kNotUsed).entry;
  testing::SatelliteNamed(expected, "S127") = InView("S127", 30, 123, 45, kNotUsed).entry;  // 40
  testing::SatelliteNamed(expected, "R6") = InView("R6", 10, 300, 33, kNotUsed).entry;      // 70
  EXPECT_EQ(record, expected);
}

// Quectel's BeiDou and QZSS sentences reach the GSV and GSA parsers by their last three letters
// and fill their own rows, beside the GPS rows of the same numbers.
TEST(EpochList, QuectelSentencesFillTheirSystemsRows) {
  const EpochList epochs = Build({
      kGga,
      Sentence("GPGSV,1,1,04,02,40,100,45,03,41,101,46,05,42,102,47,07,43,103,48"),
      "$PQGSV,2,1,08,02,20,116,,03,,,,05,34,137,,07,06,045,,0,4*52",
      Sentence("PQGSV,2,2,08,194,30,200,39,0,5"),
      Sentence("GNGSA,A,3,03,07,,,,,,,,,,,1.0,1.0,1.0,1"),
      Sentence("PQGSA,A,3,02,05,,,,,,,,,,,1.0,1.0,1.0,4"),
      Sentence("PQGSA,A,3,194,,,,,,,,,,,,1.0,1.0,1.0,5"),
  });
  ASSERT_EQ(epochs.size(), 1u);
  EXPECT_EQ(FilledSatellites(epochs[0]), (std::vector<NamedSatellite>{
                                             InView("G2", 40, 100, 45, kNotUsed),
                                             InView("G3", 41, 101, 46, kUsed),
                                             InView("G5", 42, 102, 47, kNotUsed),
                                             InView("G7", 43, 103, 48, kUsed),
                                             InView("C2", 20, 116, 0, kUsed),
                                             InView("C3", 0, 0, 0, kNotUsed),
                                             InView("C5", 34, 137, 0, kUsed),
                                             InView("C7", 6, 45, 0, kNotUsed),
                                             InView("J2", 30, 200, 39, kUsed),
                                         }));
}

TEST(EpochList, GgaThenRmcOfOneTimeKeepGgaPositionAndNoMode) {
  const EpochList epochs = Build({kGga, kRmc});
  ASSERT_EQ(epochs.size(), 1u);
  const waypoints& record = epochs[0];
  EXPECT_EQ(record.gga_flag, 1);
  EXPECT_EQ(record.rmc_flag, 1);
  EXPECT_NEAR(record.latitude, 48.116666666666667, 1e-12);
  EXPECT_NEAR(record.longitude, 11.525, 1e-12);
  EXPECT_EQ(record.mode_indicator, '\0');
  EXPECT_EQ(record.date_text, "2026-12-09");
  EXPECT_EQ(record.rmc_status, 'A');
  EXPECT_NEAR(record.speed, 18.52, 1e-9);
  EXPECT_EQ(record.course_over_ground, 90.0);

  // The whole record: the GGA's, with the RMC's speed, course, status and date merged in.
  waypoints expected = GgaRecord();
  expected.speed = 10.0 * 1.852;
  expected.course_over_ground = 90.0;
  expected.rmc_status = 'A';
  expected.date_text = "2026-12-09";
  expected.rmc_flag = 1;
  EXPECT_EQ(record, expected);
}

TEST(EpochList, OnlyTheLastRecordIsCompared) {
  const EpochList epochs = Build({
      Sentence("GPGGA,120000.00,,,,,1,,,,,,,,"),
      Sentence("GPGGA,120001.00,,,,,1,,,,,,,,"),
      Sentence("GPRMC,120000.00,A,,,,,,,091226,,,A"),
  });
  ASSERT_EQ(epochs.size(), 3u);
  EXPECT_EQ(epochs[2].time_text, "120000.00");
  EXPECT_EQ(epochs[2].gga_flag, 0);
}

TEST(EpochList, SentencesBeforeTheFirstEpochLeaveNoTrace) {
  const EpochList epochs = Build({
      Sentence("GPGSV,1,1,01,07,30,120,40"),
      Sentence("GPGSA,A,3,07,,,,,,,,,,,,1.0,1.0,1.0"),
      Sentence("PQVXD,A,2.7"),
      Sentence("GPGGA,120000.00,,,,,1,,,,,,,,"),
  });
  ASSERT_EQ(epochs.size(), 1u);
  waypoints expected;
  expected.time_text = "120000.00";
  expected.gga_fix_quality = 1;
  expected.gga_flag = 1;
  EXPECT_EQ(epochs[0], expected);
}

TEST(EpochList, TalkersDoNotMatter) {
  const EpochList epochs = Build({
      Sentence("GNGGA,1,,,,,1,,,,,,,,"),
      Sentence("GPGGA,2,,,,,2,,,,,,,,"),
      Sentence("GLGGA,3,,,,,4,,,,,,,,"),
      Sentence("XXRMC,4,A,,,,,,,010120,,,"),
  });
  ASSERT_EQ(epochs.size(), 4u);
  EXPECT_EQ(epochs[2].gga_fix_quality, 4);
  EXPECT_EQ(epochs[3].rmc_flag, 1);
}

TEST(EpochList, RecordsWithoutTimeMergeAndChangeNothing) {
  const EpochList epochs = Build({
      Sentence("GPGGA,,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,"),
      Sentence("GPGGA,,4900.000,N,01200.000,E,2,05,1.9,600.0,M,,,,"),
  });
  ASSERT_EQ(epochs.size(), 1u);
  EXPECT_EQ(epochs[0].gga_fix_quality, 1);
  EXPECT_EQ(epochs[0].altitude, 545.4);
  EXPECT_NEAR(epochs[0].latitude, 48.1173, 1e-12);
  // Nothing of the second sentence reached it: the first one's record, whole.
  waypoints expected;
  expected.latitude = 48 + 7.038 / 60;
  expected.longitude = 11 + 31.000 / 60;
  expected.gga_fix_quality = 1;
  expected.satellites_in_use = 8;
  expected.hdop = 0.9;
  expected.altitude = 545.4;
  expected.gga_flag = 1;
  EXPECT_EQ(epochs[0], expected);
}

TEST(EpochList, ASecondRmcOfTheSameTimeChangesNothing) {
  const EpochList epochs = Build({kRmc, Sentence("GPRMC,120000.00,V,0100.000,N,,,,,010101,,,N")});
  ASSERT_EQ(epochs.size(), 1u);
  EXPECT_EQ(epochs[0].rmc_status, 'A');
  EXPECT_EQ(epochs[0].date_text, "2026-12-09");
  EXPECT_EQ(epochs[0].mode_indicator, 'D');
  EXPECT_EQ(epochs[0], RmcRecord());
}

TEST(EpochList, OtherSentencesAreIgnoredAndRmsGoesToTheLastRecord) {
  const EpochList epochs = Build({
      kGga,
      Sentence("GPGLL,4916.45,N,12311.12,W,225444,A"),
      Sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"),
      Sentence("PGRME,15.0,M,45.0,M,25.0,M"),
      Sentence("PZQJRZD,A,0.9"),
      Sentence("PQVXD,A,2.7"),
  });
  ASSERT_EQ(epochs.size(), 1u);
  EXPECT_EQ(epochs[0].rms_error, 2.7);
  // GLL, VTG and Garmin's error estimate leave no trace; the last RMS sentence gives the error.
  waypoints expected = GgaRecord();
  expected.rms_error = 2.7;
  EXPECT_EQ(epochs[0], expected);
}

TEST(EpochList, NoGgaOrRmcGivesAnEmptyList) {
  EXPECT_TRUE(Build({Sentence("GPGSV,1,1,01,07,30,120,40"), Sentence("GPZDA,120000,09,12,2026,,")})
                  .empty());
}

}  // namespace
}  // namespace trackmint
