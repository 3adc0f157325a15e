// The documents of the real receiver logs, read through the input phase and checked by libxml2.
// The expected numbers were counted from the logs themselves, apart from this program: sentences
// with a right checksum (digits of either case) picked out of the bytes, GGA and RMC grouped by
// their time into epochs, then the epochs with a usable fix (status A, or a GGA fix quality other
// than 0) and the valid ones (both sentences with status A, GGA alone with a fix, RMC alone with
// status A).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "kml_test_support.h"
#include "run/input_phase.h"
#include "support/fixtures.h"
#include "support/read_log.h"

namespace trackmint {
namespace {

struct Log {
  std::string name;
  int epochs;
  int usable;
  int valid;
};

void ExpectWellFormedDocument(const Log& log, const std::string& path) {
  for (const bool fixed_date : {true, false}) {
    SCOPED_TRACE(log.name + (fixed_date ? ", fixed date" : ", dates of the log"));
    EpochList epochs = testing::ReadLogFile(path, testing::kConversionDay);
    testing::StubHost host = testing::KmlHost();
    host.use_fixed_date = fixed_date;
    host.show_height = !fixed_date;
    host.use_all_waypoints = true;
    const std::string document = testing::WholeDocument(epochs, host);
    ASSERT_TRUE(testing::IsWellFormedXml(document));
    const testing::DocumentCensus census = testing::CountInDocument(document);
    EXPECT_EQ(census.waypoint_placemarks, log.usable);
    EXPECT_EQ(census.normal_track_vertices, log.valid);
    EXPECT_EQ(census.incorrect_track_vertices, log.epochs);
    EXPECT_EQ(host.right_status, "Waypoints " + std::to_string(log.usable));
    EXPECT_EQ(document.find("invalid.png"), std::string::npos);
  }
}

TEST(FixtureDocuments, WellFormedWithOnePlacemarkPerUsableEpoch) {
  const std::vector<Log> logs = {
      {"gpsd/beidou-gb.log", 5, 2, 2},
      {"gpsd/garmin25lp.log", 20, 10, 10},
      {"gpsd/gp-320fw-2019-04-07-coldboot.log", 19, 2, 2},
      {"gpsd/magellan-ec10.log", 38, 21, 21},  // 38 RMC sentences, 21 with status A
      {"gpsd/nmea-rtk.log", 122, 122, 122},
      {"gpsd/quectel-l76k-nmea.log", 151, 151, 151},
      {"gpsd/ublox-zed-f9r.log", 30, 30, 30},
      {"nmeaparser/NmeaSampleData.txt", 4469, 4469, 4469},
  };
  for (const Log& log : logs) ExpectWellFormedDocument(log, testing::FixturePath(log.name));
}

TEST(FixtureDocuments, WellFormedForTheMillisecondLog) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(path, "gpsbabel/nmea+ms.txt");
  ExpectWellFormedDocument({"gpsbabel/nmea+ms.txt", 37, 37, 37}, path);
}

TEST(FixtureDocuments, WellFormedForTheImuReceiverLog) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(path, "qfield/happyWithIMU.txt");
  ExpectWellFormedDocument({"qfield/happyWithIMU.txt", 16, 16, 16}, path);
}

}  // namespace
}  // namespace trackmint
