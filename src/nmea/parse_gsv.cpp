// $GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74
//
// field  meaning                 unit
//   1    number of sentences     (not used)
//   2    sentence number         (not used)
//   3    satellites in view      (not used)
//   then groups of four, as many as the sentence holds:
//        satellite number        NMEA: 1-32 GPS, 33-64 SBAS, 65-96 GLONASS
//        elevation               degrees
//        azimuth                 degrees true
//        SNR                     dB-Hz, empty when not tracked
#include "nmea/number_text.h"
#include "nmea/raw_fields.h"
#include "nmea/sentence_parsers.h"
#include "nmea/talkers.h"

namespace trackmint {
namespace {

constexpr int kGsvFirstGroup = 4;
constexpr int kGsvGroupSize = 4;
constexpr int kSbasPrnOffset = 87;      // NMEA 33 is SBAS PRN 120
constexpr int kGlonassSlotOffset = 64;  // NMEA 65 is GLONASS slot 1

void NameSatellite(int number, SatelliteEntry& entry) {
  if (number < kFirstSbasNumber) {
    entry.system_letter = 'G';
    entry.satellite_number = static_cast<std::uint8_t>(number);
  } else if (number < kFirstGlonassNumber) {
    entry.system_letter = 'S';
    entry.satellite_number = static_cast<std::uint8_t>(number + kSbasPrnOffset);
  } else {
    entry.system_letter = 'R';
    entry.satellite_number = static_cast<std::uint8_t>(number - kGlonassSlotOffset);
  }
}

}  // namespace

void ParseGSV(std::string_view sentence, waypoints& record) {
  if (IsTalkerWithoutTableRows(sentence)) return;
  const RawFields fields(sentence);
  for (int group = kGsvFirstGroup; group < fields.Count(); group += kGsvGroupSize) {
    const std::int32_t number = IntegerValue(fields[group]);
    if (number < 1 || number > kLastSatelliteNumber) continue;
    SatelliteEntry& entry = record.satellites[static_cast<std::size_t>(number)];
    NameSatellite(number, entry);

    // Elevation and azimuth count only when a comma ends them; a sentence that ends inside
    // them leaves the group without flags.
    const int elevation = group + 1;
    const int azimuth = group + 2;
    const int snr = group + 3;
    if (elevation >= fields.Count() - 1) continue;
    entry.elevation = static_cast<std::uint8_t>(IntegerValue(fields[elevation]));
    if (azimuth >= fields.Count() - 1) continue;
    entry.azimuth = static_cast<std::uint16_t>(IntegerValue(fields[azimuth]));
    entry.snr = static_cast<std::uint8_t>(IntegerValue(fields[snr]));
    entry.in_view = 1;
    record.gsv_seen = 1;
  }
}

}  // namespace trackmint
