#pragma once

#include <iomanip>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "nmea/satellite_rows.h"
#include "nmea/waypoints.h"

namespace trackmint {

// Failure messages name the satellite entry's fields instead of dumping its bytes.
inline void PrintTo(const SatelliteEntry& entry, std::ostream* os) {
  *os << "{elevation " << int{entry.elevation} << ", azimuth " << entry.azimuth << ", snr "
      << int{entry.snr} << ", used " << int{entry.used} << ", in view " << int{entry.in_view}
      << "}";
}

namespace testing {

// The tests call a satellite by the name the table shows: its system letter and shown number,
// e.g. "G5", "S120", "E11".
inline std::string SatelliteName(int row) {
  const SatelliteId id = SatelliteOfRow(row);
  return SystemLetter(id.system) + std::to_string(id.number);
}

// The row of a name; a name without a row fails the test.
inline int RowNamed(std::string_view name) {
  for (int row = 0; row < kSatelliteRowCount; ++row) {
    if (SatelliteName(row) == name) return row;
  }
  ADD_FAILURE() << "no satellite row is called " << name;
  return 0;
}

inline const SatelliteEntry& SatelliteNamed(const waypoints& record, std::string_view name) {
  return record.satellites[static_cast<std::size_t>(RowNamed(name))];
}

inline SatelliteEntry& SatelliteNamed(waypoints& record, std::string_view name) {
  return record.satellites[static_cast<std::size_t>(RowNamed(name))];
}

// An entry of a record's table that holds anything, with its name.
struct NamedSatellite {
  std::string name;
  SatelliteEntry entry;

  bool operator==(const NamedSatellite&) const = default;
};

inline void PrintTo(const NamedSatellite& satellite, std::ostream* os) {
  *os << satellite.name << ' ';
  trackmint::PrintTo(satellite.entry, os);
}

// Every entry of the table that holds anything, in table order.
inline std::vector<NamedSatellite> FilledSatellites(const waypoints& record) {
  std::vector<NamedSatellite> filled;
  for (int row = 0; row < kSatelliteRowCount; ++row) {
    const SatelliteEntry& entry = record.satellites[static_cast<std::size_t>(row)];
    if (entry != SatelliteEntry{}) filled.push_back({SatelliteName(row), entry});
  }
  return filled;
}

// The names of the satellites with the in-view flag, or with the used flag, in table order.
inline std::vector<std::string> SatellitesInView(const waypoints& record) {
  std::vector<std::string> names;
  for (const NamedSatellite& satellite : FilledSatellites(record)) {
    if (satellite.entry.in_view) names.push_back(satellite.name);
  }
  return names;
}

inline std::vector<std::string> UsedSatellites(const waypoints& record) {
  std::vector<std::string> names;
  for (const NamedSatellite& satellite : FilledSatellites(record)) {
    if (satellite.entry.used) names.push_back(satellite.name);
  }
  return names;
}

constexpr bool kUsed = true;
constexpr bool kNotUsed = false;

// An entry as a GSV group leaves it, with or without the used mark of a GSA sentence.
inline NamedSatellite InView(const std::string& name, int elevation, int azimuth, int snr,
                             bool used) {
  SatelliteEntry entry;
  entry.elevation = static_cast<std::uint8_t>(elevation);
  entry.azimuth = static_cast<std::uint16_t>(azimuth);
  entry.snr = static_cast<std::uint8_t>(snr);
  entry.used = used ? 1 : 0;
  entry.in_view = 1;
  return {name, entry};
}

// Listed by a GSA sentence, in view in no GSV sentence of the epoch.
inline NamedSatellite UsedOnly(const std::string& name) {
  SatelliteEntry entry;
  entry.used = 1;
  return {name, entry};
}

}  // namespace testing

// A failed comparison of whole records names every field, with the digits that tell two doubles
// apart, and the satellites the record holds.
inline void PrintTo(const waypoints& record, std::ostream* os) {
  *os << std::setprecision(17) << "{time \"" << record.time_text << "\", date \""
      << record.date_text << "\", latitude " << record.latitude << ", longitude "
      << record.longitude << ", altitude " << record.altitude << ", rms " << record.rms_error
      << ", hdop " << record.hdop << ", differential age " << record.differential_age << ", speed "
      << record.speed << ", course " << record.course_over_ground << ", GGA quality "
      << record.gga_fix_quality << ", in use " << record.satellites_in_use << ", GSA fix "
      << record.gsa_fix_type << ", RMC status " << int{record.rmc_status} << ", mode "
      << int{record.mode_indicator} << ", GSV seen " << int{record.gsv_seen} << ", GGA flag "
      << int{record.gga_flag} << ", RMC flag " << int{record.rmc_flag} << ", satellites";
  for (const testing::NamedSatellite& satellite : testing::FilledSatellites(record)) {
    *os << ' ';
    testing::PrintTo(satellite, os);
  }
  *os << "}";
}

}  // namespace trackmint
