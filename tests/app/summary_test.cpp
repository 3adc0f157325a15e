// The summary of a run, as the batch mode prints it and as --json gives it to scripts. The two
// logs are small enough to work every figure out by hand.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "support/fixtures.h"
#include "support/program_run.h"
#include "support/sentences.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::Line;
using testing::ProgramResult;
using testing::TempDirectory;

const std::string kProgram = TRACKMINT_PROGRAM;

// Six epochs at 1 Hz on 2020-03-18, GGA and RMC each, moving north by 0.001 degree (0.06 minutes)
// an epoch: Auto, RTK Fix twice, RTK Float, then a void epoch (quality 0, status V) that makes
// neither placemark nor vertex, then Diff. Speeds 10, 20, 20, 20, 0, 5 knots.
std::string RtkMixLog() {
  struct Epoch {
    const char* time;
    const char* latitude;
    int quality;
    char status;
    const char* knots;
  };
  const std::vector<Epoch> epochs = {
      {"120000", "4807.000", 1, 'A', "10.0"}, {"120001", "4807.060", 4, 'A', "20.0"},
      {"120002", "4807.120", 4, 'A', "20.0"}, {"120003", "4807.180", 5, 'A', "20.0"},
      {"120004", "4807.300", 0, 'V', "0.0"},  {"120005", "4807.240", 2, 'A', "5.0"},
  };
  std::string log;
  for (const Epoch& e : epochs) {
    log += Line(std::string("GPGGA,") + e.time + "," + e.latitude + ",N,01131.000,E," +
                std::to_string(e.quality) + ",08,0.9,545.4,M,,,,");
    log += Line(std::string("GPRMC,") + e.time + "," + e.status + "," + e.latitude +
                ",N,01131.000,E," + e.knots + ",0.0,180320,,,A");
  }
  return log;
}

// Three epochs of GGA alone, so without a date from the receiver: Auto, Auto, Estimated, all at
// one place.
std::string UndatedLog() {
  return Line("GPGGA,083000.5,4807.000,N,01131.000,E,1,08,0.9,545.4,M,,,,") +
         Line("GPGGA,083001.0,4807.000,N,01131.000,E,1,08,0.9,545.4,M,,,,") +
         Line("GPGGA,083002.25,4807.000,N,01131.000,E,6,08,0.9,545.4,M,,,,");
}

ProgramResult Convert(const TempDirectory& work, const std::vector<std::string>& arguments) {
  return testing::RunProgram(kProgram, arguments, work.path(), {{"XDG_CONFIG_HOME", work.path()}});
}

// The five placemarks carry the receiver's date 2020-03-18, which the fixed date replaces.
const std::string kFixedDateNote =
    "Kelvra Trackmint: the fixed date 2000-01-01 replaced the receiver's date 2020-03-18 in 5 "
    "placemarks; untick the date in the window, or CheckBox1=0 in the settings file, to keep the "
    "receiver's dates\n";

// The valid track runs through five epochs, each 0.001 degree of latitude north of the one
// before (the void epoch is left out): 0.004 degree along a meridian, R * 0.004 * pi / 180 with
// the mean radius R = 6371008.7714 m, which is 444.78 m. The highest speed is 20 knots, 37.04 km/h.
TEST(RunSummary, LinesAfterTheResultLine) {
  TempDirectory work;
  testing::WriteWholeFile(work.File("mix.nmea"), RtkMixLog());
  const ProgramResult result = Convert(work, {"mix.nmea", "mix.kmz"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, work.File("mix.kmz") + ": Waypoints 5\n");
  EXPECT_EQ(result.err, kFixedDateNote +
                            "Span: 2020-03-18 12:00:00 to 2020-03-18 12:00:05 (0:00:05)\n"
                            "Epochs: 6 read, 5 waypoint placemarks\n"
                            "Fix classes: Auto 1 (20.0 %), Diff 1 (20.0 %), RTK Fix 2 (40.0 %), "
                            "RTK Float 1 (20.0 %)\n"
                            "Valid track: 0.445 km, highest speed 37.0 km/h\n");

  testing::WriteWholeFile(work.File("undated.nmea"), UndatedLog());
  const ProgramResult undated = Convert(work, {"undated.nmea", "undated.kmz"});
  ASSERT_EQ(undated.exit_status, 0) << undated.err;
  EXPECT_EQ(undated.err,
            "Span: 08:30:00.5 to 08:30:02.25 (duration unknown: the log gives no date for both "
            "ends)\n"
            "Epochs: 3 read, 3 waypoint placemarks\n"
            "Fix classes: Auto 2 (66.7 %), Estimated 1 (33.3 %)\n"
            "Valid track: 0.000 km, highest speed 0.0 km/h\n");
}

TEST(RunSummary, QuietLeavesTheSummaryOut) {
  TempDirectory work;
  testing::WriteWholeFile(work.File("mix.nmea"), RtkMixLog());
  for (const char* quiet : {"-q", "--quiet"}) {
    const ProgramResult result = Convert(work, {"mix.nmea", quiet, "mix.kmz"});
    ASSERT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.out, work.File("mix.kmz") + ": Waypoints 5\n");
    EXPECT_EQ(result.err, kFixedDateNote);  // a warning, not the summary
  }
}

// --json: one object on standard output instead of the result line and the summary.
TEST(RunSummary, JsonForScripts) {
  TempDirectory work;
  testing::WriteWholeFile(work.File("mix.nmea"), RtkMixLog());
  testing::WriteWholeFile(work.File("undated.nmea"), UndatedLog());

  const ProgramResult mix = Convert(work, {"--json", "mix.nmea", "mix.kmz"});
  ASSERT_EQ(mix.exit_status, 0) << mix.err;
  EXPECT_EQ(mix.err, kFixedDateNote);
  ASSERT_TRUE(mix.out.ends_with("}\n"));
  EXPECT_EQ(mix.out.find('\n'), mix.out.size() - 1);  // one line
  const nlohmann::json summary = nlohmann::json::parse(mix.out);
  EXPECT_EQ(summary["kmz"], work.File("mix.kmz"));
  EXPECT_EQ(summary["input"], work.File("mix.nmea"));
  EXPECT_EQ(summary["epochs"], 6);
  EXPECT_EQ(summary["placemarks"], 5);
  EXPECT_EQ(summary["first"], (nlohmann::json{{"date", "2020-03-18"}, {"time", "120000"}}));
  EXPECT_EQ(summary["last"], (nlohmann::json{{"date", "2020-03-18"}, {"time", "120005"}}));
  EXPECT_DOUBLE_EQ(summary["duration_seconds"].get<double>(), 5.0);
  const nlohmann::json classes =
      nlohmann::json::array({{{"class", "Auto"}, {"placemarks", 1}, {"share", 0.2}},
                             {{"class", "Diff"}, {"placemarks", 1}, {"share", 0.2}},
                             {{"class", "RTK Fix"}, {"placemarks", 2}, {"share", 0.4}},
                             {{"class", "RTK Float"}, {"placemarks", 1}, {"share", 0.2}}});
  EXPECT_EQ(summary["fix_classes"], classes);
  EXPECT_NEAR(summary["track_km"].get<double>(), 0.44478, 0.0005);
  EXPECT_NEAR(summary["max_speed_kmh"].get<double>(), 37.04, 0.0005);

  const ProgramResult undated = Convert(work, {"undated.nmea", "undated.kmz", "--json"});
  ASSERT_EQ(undated.exit_status, 0) << undated.err;
  const nlohmann::json without_dates = nlohmann::json::parse(undated.out);
  EXPECT_EQ(without_dates["first"], (nlohmann::json{{"date", nullptr}, {"time", "083000.5"}}));
  EXPECT_EQ(without_dates["last"], (nlohmann::json{{"date", nullptr}, {"time", "083002.25"}}));
  EXPECT_TRUE(without_dates["duration_seconds"].is_null());
  EXPECT_EQ(
      without_dates["fix_classes"],
      nlohmann::json::array({{{"class", "Auto"}, {"placemarks", 2}, {"share", 0.6667}},
                             {{"class", "Estimated"}, {"placemarks", 1}, {"share", 0.3333}}}));
  EXPECT_EQ(without_dates["track_km"], 0.0);
}

// A file name that is not UTF-8 still gives valid JSON: the stray byte stands as U+FFFD.
TEST(RunSummary, JsonOfAnyFileName) {
  TempDirectory work;
  const std::string name = "log\xff\"\\.nmea";
  testing::WriteWholeFile(work.File(name), RtkMixLog());
  const ProgramResult result = Convert(work, {"--json", name, "out.kmz"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  const nlohmann::json summary = nlohmann::json::parse(result.out);
  EXPECT_EQ(summary["input"], work.path() + "/log\xef\xbf\xbd\"\\.nmea");
}

}  // namespace
}  // namespace trackmint
