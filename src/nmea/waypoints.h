#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "nmea/satellite_rows.h"

namespace trackmint {

// One satellite of the epoch's sky, kept in the row of its system and number (satellite_rows.h),
// which also gives its letter and shown number.
struct SatelliteEntry {
  std::uint8_t elevation = 0;  // degrees, modulo 256
  std::uint8_t snr = 0;        // dB-Hz; 0 when the field was empty; the strongest of its signals
  std::uint16_t azimuth = 0;   // degrees, modulo 65536
  std::uint8_t used = 0;       // a GSA sentence listed it as used in the solution
  std::uint8_t in_view = 0;    // a GSV sentence gave its SNR field; only these are shown

  bool operator==(const SatelliteEntry&) const = default;
};
// Every record holds a table for all seven systems, so an entry stays small.
static_assert(sizeof(SatelliteEntry) == 6);

// Where an epoch's date came from: the receiver's RMC date; the user's clock, for an RMC sentence
// with an empty date field or a GGA fix without a date; or the fixed date of the settings. The
// description marks the last two ("*" and "^"); the summary counts only the receiver's dates.
enum class DateSource : std::uint8_t { Receiver, Clock, Fixed };

// One epoch of the receiver's solution. A new record is all zero; the parsers only set fields.
struct waypoints {
  std::string time_text;  // the GGA or RMC time field exactly as received, e.g. 123814.20
  std::string date_text;  // yyyy-mm-dd as its source gave it; empty when the epoch has none
  DateSource date_source = DateSource::Receiver;
  double latitude = 0;   // decimal degrees, south negative
  double longitude = 0;  // decimal degrees, west negative
  double altitude = 0;   // metres above mean sea level (GGA)
  double rms_error = 0;  // metres (PQVXD, PZQJRZD)
  double hdop = 0;
  double differential_age = 0;       // seconds (GGA)
  double speed = 0;                  // km/h (RMC knots times 1.852)
  double course_over_ground = 0;     // degrees, true (RMC)
  std::int32_t gga_fix_quality = 0;  // 0 no fix, 1 autonomous, 2 differential, 4 RTK fixed, ...
  std::int32_t satellites_in_use = 0;
  std::int32_t gsa_fix_type = 0;  // 1 no fix, 2 2D, 3 3D; 0 when no GSA sentence reached it
  char rmc_status = 0;            // 'A' valid, 'V' void; 0 without RMC
  char mode_indicator = 0;        // first character of the RMC mode field; 0 when absent
  std::uint8_t gsv_seen = 0;      // a GSV sentence stored the SNR of one of its satellites
  std::uint8_t gga_flag = 0;      // a GGA sentence contributed
  std::uint8_t rmc_flag = 0;      // an RMC sentence contributed
  std::array<SatelliteEntry, kSatelliteRowCount> satellites{};  // by row: every system

  bool operator==(const waypoints&) const = default;
};

}  // namespace trackmint
