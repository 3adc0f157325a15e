#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trackmint {

// NMEA satellite numbers 1 to 32 are GPS, 33 to 64 SBAS, 65 to 96 GLONASS; entry 0 stays empty.
inline constexpr int kSatelliteTableSize = 97;
inline constexpr int kFirstSbasNumber = 33;
inline constexpr int kFirstGlonassNumber = 65;
inline constexpr int kLastSatelliteNumber = 96;

// One satellite of the epoch's sky. The fields are ordered so that an entry takes 8 bytes.
struct SatelliteEntry {
  char system_letter = 0;             // 'G', 'S' or 'R'; 0 until a GSV sentence named it
  std::uint8_t satellite_number = 0;  // as shown: GPS number, SBAS PRN (120..151), GLONASS slot
  std::uint8_t elevation = 0;         // degrees, modulo 256
  std::uint8_t snr = 0;               // dB-Hz; 0 when the field was empty
  std::uint16_t azimuth = 0;          // degrees, modulo 65536
  std::uint8_t used = 0;              // a GSA sentence listed it as used in the solution
  std::uint8_t in_view = 0;           // a GSV sentence gave its SNR field; only these are shown

  bool operator==(const SatelliteEntry&) const = default;
};

// One epoch of the receiver's solution. A new record is all zero; the parsers only set fields.
struct waypoints {
  std::string time_text;  // the GGA or RMC time field exactly as received, e.g. 123814.20
  std::string
      date_text;  // yyyy-mm-dd from RMC; "*" appended for a clock date, "^" for the fixed date
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
  std::array<SatelliteEntry, kSatelliteTableSize> satellites{};

  bool operator==(const waypoints&) const = default;
};

}  // namespace trackmint
