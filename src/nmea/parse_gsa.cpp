// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
// $GNGSA,A,3,80,71,73,79,69,,,,,,,,1.83,1.09,1.47,2*19      (NMEA 4.10: system id last)
//
// field  meaning                          codes
//   1    selection mode                   M manual, A automatic   (not used)
//   2    fix type                         1 no fix, 2 2D, 3 3D
//   3..  satellites used in the solution  numbered as the system id, or else the talker, says
//                                         (satellite_numbers.h); as many fields as the receiver
//                                         writes
//   then PDOP, HDOP, VDOP                 (not used)
//   then, NMEA 4.10 only, system id       1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS, 6 NavIC
#include "base/number_text.h"
#include "nmea/raw_fields.h"
#include "nmea/satellite_numbers.h"
#include "nmea/sentence_parsers.h"

namespace trackmint {
namespace {

constexpr int kGsaFixType = 2;
constexpr int kGsaFirstSatellite = 3;
constexpr int kDilutionFieldCount = 3;

// The NMEA 4.10 system id: a last field that is not empty and carries no decimal point, which a
// dilution value always does.
bool HasSystemId(const RawFields& fields) {
  const std::string_view last = fields[fields.Count() - 1];
  return !last.empty() && last.find('.') == std::string_view::npos;
}

}  // namespace

void ParseGSA(std::string_view sentence, waypoints& record) {
  const RawFields fields(sentence);
  if (fields.Count() <= kGsaFixType) return;
  record.gsa_fix_type = IntegerValue(fields[kGsaFixType]);

  // The system id says whose satellites the list holds (GPS 5 and Galileo 5 are two
  // satellites); without one the talker does.
  const bool system_id = HasSystemId(fields);
  const SatelliteNumbering numbering =
      system_id ? NumberingOfSystemId(IntegerValue(fields[fields.Count() - 1]))
                : NumberingOfTalker(TalkerOf(sentence));

  // The list ends in front of the three dilution fields, wherever they stand.
  const int list_end = fields.Count() - kDilutionFieldCount - (system_id ? 1 : 0);
  for (int i = kGsaFirstSatellite; i < list_end; ++i) {
    const int row = RowOfNumber(numbering, IntegerValue(fields[i]));
    if (row >= 0) record.satellites[static_cast<std::size_t>(row)].used = 1;
  }
}

}  // namespace trackmint
