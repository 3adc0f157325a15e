#include "nmea/satellite_numbers.h"

#include <array>

#include "nmea/satellite_rows.h"

namespace trackmint {
namespace {

using Numbering = SatelliteNumbering;
using System = SatelliteSystem;

// Which satellite each number names: numbers first to last are the given system's satellites,
// shown as the number plus the offset. Numbers outside every range of a numbering name none.
struct NumberRange {
  Numbering numbering;
  int first;
  int last;
  System system;
  int offset;
};

constexpr std::array<NumberRange, 14> kNumberRanges = {{
    {Numbering::GpsTalker, 1, 32, System::Gps, 0},
    {Numbering::GpsTalker, 33, 64, System::Sbas, 87},  // 33 is SBAS PRN 120
    {Numbering::GpsTalker, 65, 96, System::Glonass, -64},
    {Numbering::GpsTalker, 120, 158, System::Sbas, 0},
    // The SiRF-TriG of beidou-gb.log lists BeiDou 201 in a GN GSA without system id: read
    // this way it is QZSS 9.
    {Numbering::GpsTalker, 193, 202, System::Qzss, -192},
    {Numbering::Glonass, 65, 96, System::Glonass, -64},
    {Numbering::Galileo, 1, 36, System::Galileo, 0},
    {Numbering::Galileo, 301, 336, System::Galileo, -300},
    {Numbering::Beidou, 1, 63, System::Beidou, 0},
    {Numbering::Beidou, 201, 263, System::Beidou, -200},
    {Numbering::Beidou, 401, 463, System::Beidou, -400},
    {Numbering::Qzss, 1, 10, System::Qzss, 0},
    {Numbering::Qzss, 193, 202, System::Qzss, -192},
    {Numbering::Navic, 1, 14, System::Navic, 0},
}};

// Every range shows numbers its system has rows for.
static_assert([] {
  for (const NumberRange& range : kNumberRanges) {
    if (RowOfSatellite(range.system, range.first + range.offset) < 0 ||
        RowOfSatellite(range.system, range.last + range.offset) < 0) {
      return false;
    }
  }
  return true;
}());

struct TalkerNumbering {
  std::string_view talker;
  SatelliteNumbering numbering;
};

// Talkers of one system; every other talker numbers as GP does.
constexpr std::array<TalkerNumbering, 8> kTalkers = {{
    {"GL", Numbering::Glonass},
    {"GA", Numbering::Galileo},
    {"GB", Numbering::Beidou},  // the SiRF-TriG of beidou-gb.log
    {"BD", Numbering::Beidou},
    {"GQ", Numbering::Qzss},
    {"QZ", Numbering::Qzss},
    {"GI", Numbering::Navic},
    {kQuectelTalker, Numbering::None},
}};

// By NMEA 4.10 system id; 0 is none.
constexpr std::array<SatelliteNumbering, 7> kSystemIds = {
    Numbering::None,   Numbering::GpsTalker, Numbering::Glonass, Numbering::Galileo,
    Numbering::Beidou, Numbering::Qzss,      Numbering::Navic,
};

}  // namespace

SatelliteNumbering NumberingOfTalker(std::string_view talker) {
  for (const TalkerNumbering& row : kTalkers) {
    if (row.talker == talker) return row.numbering;
  }
  return Numbering::GpsTalker;
}

SatelliteNumbering NumberingOfSystemId(std::int32_t system_id) {
  if (system_id < 0 || system_id >= static_cast<std::int32_t>(kSystemIds.size())) {
    return Numbering::None;
  }
  return kSystemIds[static_cast<std::size_t>(system_id)];
}

int RowOfNumber(SatelliteNumbering numbering, std::int32_t number) {
  for (const NumberRange& range : kNumberRanges) {
    if (range.numbering == numbering && number >= range.first && number <= range.last) {
      return RowOfSatellite(range.system, number + range.offset);
    }
  }
  return -1;
}

}  // namespace trackmint
