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

// Which satellite each number names, written out from the receivers' conventions: GPS PRNs, the
// SBAS PRNs 120 and up (NMEA 33 to 64 for the first 32 of them), GLONASS slots as 64 plus the
// slot, QZSS PRNs 193 and up, and the newer systems from 1 with their own offsets.
TEST(RowOfNumber, EveryRangeOfEveryNumbering) {
  struct Range {
    SatelliteNumbering numbering;
    int first;
    int last;
    char letter;
    int first_shown;
  };
  using N = SatelliteNumbering;
  const std::vector<Range> ranges = {
      {N::GpsTalker, 1, 32, 'G', 1},    {N::GpsTalker, 33, 64, 'S', 120},
      {N::GpsTalker, 65, 96, 'R', 1},   {N::GpsTalker, 120, 158, 'S', 120},
      {N::GpsTalker, 193, 202, 'J', 1}, {N::Glonass, 65, 96, 'R', 1},
      {N::Galileo, 1, 36, 'E', 1},      {N::Galileo, 301, 336, 'E', 1},
      {N::Beidou, 1, 63, 'C', 1},       {N::Beidou, 201, 263, 'C', 1},
      {N::Beidou, 401, 463, 'C', 1},    {N::Qzss, 1, 10, 'J', 1},
      {N::Qzss, 193, 202, 'J', 1},      {N::Navic, 1, 14, 'I', 1},
  };
  for (const N numbering :
       {N::GpsTalker, N::Glonass, N::Galileo, N::Beidou, N::Qzss, N::Navic, N::None}) {
    SCOPED_TRACE("numbering " + std::to_string(static_cast<int>(numbering)));
    for (int number = -2; number <= 1000; ++number) {
      std::string expected;
      for (const Range& range : ranges) {
        if (range.numbering == numbering && number >= range.first && number <= range.last) {
          expected = range.letter + std::to_string(range.first_shown + number - range.first);
        }
      }
      ASSERT_EQ(NameOfNumber(numbering, number), expected) << "number " << number;
    }
  }
  EXPECT_EQ(RowOfNumber(SatelliteNumbering::GpsTalker, 2147483647), -1);
  EXPECT_EQ(RowOfNumber(SatelliteNumbering::Beidou, -2147483647 - 1), -1);
}

TEST(NumberingOfTalker, Cases) {
  struct Case {
    const char* sentence;
    SatelliteNumbering numbering;
  };
  using N = SatelliteNumbering;
  const std::vector<Case> cases = {
      {"$GPGSV,1", N::GpsTalker}, {"$GNGSA,A", N::GpsTalker}, {"$XXGSV", N::GpsTalker},
      {"$GLGSV", N::Glonass},     {"$GAGSV", N::Galileo},     {"$GBGSV", N::Beidou},
      {"$BDGSV", N::Beidou},      {"$GQGSV", N::Qzss},        {"$QZGSV", N::Qzss},
      {"$GIGSV", N::Navic},       {"$PQGSV", N::None},        {"$G", N::GpsTalker},
      {"", N::GpsTalker},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberingOfTalker(c.sentence), c.numbering) << '"' << c.sentence << '"';
  }
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
