#include "nmea/satellite_numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nmea/satellite_rows.h"
#include "support/satellite_sky.h"

namespace trackmint {
namespace {

using testing::SatelliteName;

// The name a number gets under a numbering, "" when it names no satellite.
std::string NameOfNumber(SatelliteNumbering numbering, int number) {
  const int row = RowOfNumber(numbering, number);
  return row < 0 ? "" : SatelliteName(row);
}

// Which satellite a number names, at both ends of every range and just outside it, written out
// from the receivers' conventions: GPS PRNs, the SBAS PRNs 120 and up (NMEA 33 to 64 for the first
// 32 of them), GLONASS slots as 64 plus the slot, QZSS PRNs 193 and up, and the newer systems from
// 1, some receivers adding 300 (Galileo), 200 or 400 (BeiDou).
TEST(RowOfNumber, TheEndsOfEveryRange) {
  struct Case {
    SatelliteNumbering numbering;
    int number;
    const char* name;  // "" when the number names no satellite
  };
  using N = SatelliteNumbering;
  const std::vector<Case> cases = {
      {N::GpsTalker, -1, ""},
      {N::GpsTalker, 0, ""},
      {N::GpsTalker, 1, "G1"},
      {N::GpsTalker, 32, "G32"},
      {N::GpsTalker, 33, "S120"},
      {N::GpsTalker, 64, "S151"},
      {N::GpsTalker, 65, "R1"},
      {N::GpsTalker, 96, "R32"},
      {N::GpsTalker, 97, ""},
      {N::GpsTalker, 119, ""},
      {N::GpsTalker, 120, "S120"},
      {N::GpsTalker, 158, "S158"},
      {N::GpsTalker, 159, ""},
      {N::GpsTalker, 192, ""},
      {N::GpsTalker, 193, "J1"},
      {N::GpsTalker, 202, "J10"},
      {N::GpsTalker, 203, ""},
      {N::GpsTalker, 301, ""},
      {N::Glonass, 1, ""},
      {N::Glonass, 64, ""},
      {N::Glonass, 65, "R1"},
      {N::Glonass, 96, "R32"},
      {N::Glonass, 97, ""},
      {N::Galileo, 0, ""},
      {N::Galileo, 1, "E1"},
      {N::Galileo, 36, "E36"},
      {N::Galileo, 37, ""},
      {N::Galileo, 300, ""},
      {N::Galileo, 301, "E1"},
      {N::Galileo, 336, "E36"},
      {N::Galileo, 337, ""},
      {N::Beidou, 1, "C1"},
      {N::Beidou, 63, "C63"},
      {N::Beidou, 64, ""},
      {N::Beidou, 200, ""},
      {N::Beidou, 201, "C1"},
      {N::Beidou, 263, "C63"},
      {N::Beidou, 264, ""},
      {N::Beidou, 400, ""},
      {N::Beidou, 401, "C1"},
      {N::Beidou, 463, "C63"},
      {N::Beidou, 464, ""},
      {N::Qzss, 0, ""},
      {N::Qzss, 1, "J1"},
      {N::Qzss, 10, "J10"},
      {N::Qzss, 11, ""},
      {N::Qzss, 192, ""},
      {N::Qzss, 193, "J1"},
      {N::Qzss, 202, "J10"},
      {N::Qzss, 203, ""},
      {N::Navic, 0, ""},
      {N::Navic, 1, "I1"},
      {N::Navic, 14, "I14"},
      {N::Navic, 15, ""},
      {N::None, 1, ""},
      {N::None, 65, ""},
      {N::GpsTalker, 2147483647, ""},
      {N::Beidou, -2147483647 - 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameOfNumber(c.numbering, c.number), c.name)
        << "numbering " << static_cast<int>(c.numbering) << ", number " << c.number;
  }
}

TEST(NumberingOfTalker, Cases) {
  struct Case {
    const char* talker;
    SatelliteNumbering numbering;
  };
  using N = SatelliteNumbering;
  const std::vector<Case> cases = {
      {"GP", N::GpsTalker}, {"GN", N::GpsTalker}, {"XX", N::GpsTalker}, {"GL", N::Glonass},
      {"GA", N::Galileo},   {"GB", N::Beidou},    {"BD", N::Beidou},    {"GQ", N::Qzss},
      {"QZ", N::Qzss},      {"GI", N::Navic},     {"PQ", N::None},      {"G", N::GpsTalker},
      {"", N::GpsTalker},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberingOfTalker(c.talker), c.numbering) << '"' << c.talker << '"';
  }
  EXPECT_EQ(TalkerOf("$GLGSV,1"), "GL");
  EXPECT_EQ(TalkerOf("$G"), "");
}

TEST(NumberingOfSystemId, Cases) {
  using N = SatelliteNumbering;
  const std::vector<std::pair<int, N>> cases = {
      {-1, N::None},  {0, N::None}, {1, N::GpsTalker}, {2, N::Glonass}, {3, N::Galileo},
      {4, N::Beidou}, {5, N::Qzss}, {6, N::Navic},     {7, N::None},    {2147483647, N::None},
  };
  for (const auto& [id, numbering] : cases) {
    EXPECT_EQ(NumberingOfSystemId(id), numbering) << "system id " << id;
  }
}

// The rows run through the systems in table order, each by number, and every row is the row of
// the satellite it shows.
TEST(SatelliteRows, TableOrderAndRoundTrip) {
  EXPECT_EQ(kSatelliteRowCount, 32 + 39 + 32 + 36 + 63 + 10 + 14);
  std::vector<std::string> boundaries;
  for (int row = 0; row < kSatelliteRowCount; ++row) {
    const SatelliteId id = SatelliteOfRow(row);
    ASSERT_EQ(RowOfSatellite(id.system, id.number), row);
    if (row == 0 || SatelliteOfRow(row - 1).system != id.system) {
      boundaries.push_back(SatelliteName(row));
    }
    if (row + 1 == kSatelliteRowCount || SatelliteOfRow(row + 1).system != id.system) {
      boundaries.push_back(SatelliteName(row));
    }
  }
  EXPECT_EQ(boundaries, (std::vector<std::string>{"G1", "G32", "S120", "S158", "R1", "R32", "E1",
                                                  "E36", "C1", "C63", "J1", "J10", "I1", "I14"}));
  EXPECT_EQ(RowOfSatellite(SatelliteSystem::Sbas, 119), -1);
  EXPECT_EQ(RowOfSatellite(SatelliteSystem::Navic, 15), -1);
  EXPECT_EQ(RowOfSatellite(SatelliteSystem::Gps, 0), -1);
}

}  // namespace
}  // namespace trackmint
