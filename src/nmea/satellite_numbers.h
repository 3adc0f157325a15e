#pragma once

#include <cstdint>
#include <string_view>

namespace trackmint {

// How a GSA or GSV sentence numbers its satellites. Receivers number the satellites of the newer
// systems from 1 again, so a number alone does not say which satellite it is: the GSA system id
// or the talker says which numbering applies.
enum class SatelliteNumbering : std::uint8_t {
  GpsTalker,  // GP, GN and most talkers: GPS, SBAS, GLONASS and QZSS in one range of numbers
  Glonass,
  Galileo,
  Beidou,
  Qzss,
  Navic,
  None,  // names no satellite
};

// Quectel's proprietary talker: its GSA and GSV sentences say their system by a system id only.
inline constexpr std::string_view kQuectelTalker = "PQ";

// The two letters after the "$"; empty for a shorter text.
constexpr std::string_view TalkerOf(std::string_view sentence) {
  return sentence.size() < 3 ? std::string_view() : sentence.substr(1, 2);
}

// The numbering a talker (the two letters after the "$") stands for: GPS's for every talker the
// table does not name, None for Quectel's.
SatelliteNumbering NumberingOfTalker(std::string_view talker);

// The numbering of an NMEA 4.10 system id: 1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS,
// 6 NavIC; None for any other value.
SatelliteNumbering NumberingOfSystemId(std::int32_t system_id);

// The satellites-table row (satellite_rows.h) that a satellite number names; -1 when it names no
// satellite under that numbering.
int RowOfNumber(SatelliteNumbering numbering, std::int32_t number);

}  // namespace trackmint
