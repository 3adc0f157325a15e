#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace trackmint {

// The satellite systems, in the order of the satellites table.
enum class SatelliteSystem : std::uint8_t { Gps, Sbas, Glonass, Galileo, Beidou, Qzss, Navic };

// A satellite as the table shows it: its system and its number within the system (GPS PRN, SBAS
// PRN, GLONASS slot, Galileo, BeiDou, QZSS or NavIC PRN).
struct SatelliteId {
  SatelliteSystem system = SatelliteSystem::Gps;
  int number = 0;

  bool operator==(const SatelliteId&) const = default;
};

// The rows of each system: its letter (the RINEX one, which GNSS users read at a glance) and the
// numbers it can show, one row per number. The systems follow one another in table order, so a
// table indexed by row lists its satellites by system and number without sorting, and its size
// is fixed by the systems rather than by what the log holds.
struct SystemRows {
  SatelliteSystem system;
  char letter;
  int first_number;
  int last_number;
};

inline constexpr std::array<SystemRows, 7> kSystemRows = {{
    {SatelliteSystem::Gps, 'G', 1, 32},
    {SatelliteSystem::Sbas, 'S', 120, 158},
    {SatelliteSystem::Glonass, 'R', 1, 32},
    {SatelliteSystem::Galileo, 'E', 1, 36},
    {SatelliteSystem::Beidou, 'C', 1, 63},
    {SatelliteSystem::Qzss, 'J', 1, 10},
    {SatelliteSystem::Navic, 'I', 1, 14},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < kSystemRows.size(); ++i) {
        if (static_cast<std::size_t>(kSystemRows[i].system) != i) return false;
      }
      return true;
    }(),
    "kSystemRows lists the systems in the order of SatelliteSystem");

constexpr int RowCount(const SystemRows& rows) {
  return rows.last_number - rows.first_number + 1;
}

inline constexpr int kSatelliteRowCount = [] {
  int count = 0;
  for (const SystemRows& rows : kSystemRows) count += RowCount(rows);
  return count;
}();

constexpr const SystemRows& RowsOf(SatelliteSystem system) {
  return kSystemRows[static_cast<std::size_t>(system)];
}

constexpr char SystemLetter(SatelliteSystem system) {
  return RowsOf(system).letter;
}

// The row of a satellite; -1 for a number its system has no row for.
constexpr int RowOfSatellite(SatelliteSystem system, int number) {
  int first_row = 0;
  for (const SystemRows& rows : kSystemRows) {
    if (rows.system == system) {
      if (number < rows.first_number || number > rows.last_number) return -1;
      return first_row + number - rows.first_number;
    }
    first_row += RowCount(rows);
  }
  return -1;
}

// The satellite a row shows; row must lie in 0 .. kSatelliteRowCount - 1.
constexpr SatelliteId SatelliteOfRow(int row) {
  for (const SystemRows& rows : kSystemRows) {
    if (row < RowCount(rows)) return {rows.system, rows.first_number + row};
    row -= RowCount(rows);
  }
  return {};
}

}  // namespace trackmint
