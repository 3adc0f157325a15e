// Real receiver logs through the input phase. The expected facts were worked out by reading each
// log: its sentences, their times and checksums.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "run/input_phase.h"
#include "support/fixtures.h"
#include "support/stub_host.h"

namespace trackmint {
namespace {

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

EpochList ReadFixture(const std::string& name) {
  const std::string path = testing::FixturePath(name);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) {
    ADD_FAILURE() << "cannot open " << path;
    return {};
  }
  testing::StubHost host;
  EpochList epochs;
  NMEA assembler;
  std::fseek(file.get(), 0, SEEK_END);
  const long size = std::ftell(file.get());
  std::rewind(file.get());
  ReadEpochList(file.get(), path, epochs, assembler, ProgressStep(static_cast<std::uint64_t>(size)),
                host, kClock);
  return epochs;
}

int CountQuality(const EpochList& epochs, int quality) {
  int count = 0;
  for (const waypoints& record : epochs) count += record.gga_fix_quality == quality;
  return count;
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

}  // namespace
}  // namespace trackmint
