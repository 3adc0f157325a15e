// $GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74
// $GAGSV,3,3,09,36,33,302,40,7*4A                                 (NMEA 4.11: signal id last)
// $PQGSV,2,1,08,02,20,116,,03,,,,05,34,137,,07,06,045,,0,4*52     (Quectel: signal, system id)
//
// field  meaning                 unit
//   1    number of sentences     (not used)
//   2    sentence number         (not used)
//   3    satellites in view      (not used)
//   then groups of four, as many as the sentence holds:
//        satellite number        numbered as the talker says (satellite_numbers.h)
//        elevation               degrees
//        azimuth                 degrees true
//        SNR                     dB-Hz, empty when not tracked
//   then, NMEA 4.11 only, signal id                                  (not used)
//   or, $PQGSV only, signal id  (not used) and system id  1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou,
//                                                         5 QZSS, 6 NavIC
#include <algorithm>

#include "base/number_text.h"
#include "nmea/raw_fields.h"
#include "nmea/satellite_numbers.h"
#include "nmea/sentence_parsers.h"

namespace trackmint {
namespace {

constexpr int kGsvFirstGroup = 4;
constexpr int kGsvGroupSize = 4;

// Where a sentence's groups end and how their satellite numbers read.
struct GsvLayout {
  SatelliteNumbering numbering;
  int groups_end;  // the first field after the groups
};

// The count of fields after the header tells the trailing fields apart: 4k is groups alone,
// 4k + 1 ends in the signal id of NMEA 4.11, and with Quectel's talker 4k + 2 ends in a signal id
// and a system id. With other talkers 4k + 2 and 4k + 3 end in a group cut short (the damaged
// GSV of gp-320fw-2019-04-07-coldboot.log), which is read like the others; a group cut short after
// its number alone also gives 4k + 1, and it could not have put a satellite in view anyway. A
// $PQGSV whose count leaves no place for the two fields has no system id, and without one its
// numbers name no satellite.
GsvLayout LayoutOf(std::string_view sentence, const RawFields& fields) {
  const int after_header = std::max(fields.Count() - kGsvFirstGroup, 0);
  const int trailing = after_header % kGsvGroupSize;
  if (TalkerOf(sentence) == kQuectelTalker) {
    if (trailing != 2) return {SatelliteNumbering::None, fields.Count()};
    const int system_id = fields.Count() - 1;
    return {NumberingOfSystemId(IntegerValue(fields[system_id])), system_id - 1};
  }
  const bool signal_id = trailing == 1;
  return {NumberingOfTalker(TalkerOf(sentence)), fields.Count() - (signal_id ? 1 : 0)};
}

// A satellite's first report in the epoch takes its fields as they stand, an empty one as 0. A
// later one, from another signal's sentence or a repeated sentence, keeps the stored elevation or
// azimuth where its own field is empty and the stronger SNR: the second signal of a u-blox F9
// often comes with empty fields for a satellite tracked well on the first.
template <typename Value>
void TakeAngle(std::string_view field, bool reported_before, Value& stored) {
  if (reported_before && field.empty()) return;
  stored = static_cast<Value>(IntegerValue(field));
}

void TakeSnr(std::string_view field, bool reported_before, std::uint8_t& stored) {
  const auto snr = static_cast<std::uint8_t>(IntegerValue(field));
  stored = reported_before ? std::max(stored, snr) : snr;
}

}  // namespace

void ParseGSV(std::string_view sentence, waypoints& record) {
  const RawFields fields(sentence);
  const GsvLayout layout = LayoutOf(sentence, fields);
  for (int group = kGsvFirstGroup; group < layout.groups_end; group += kGsvGroupSize) {
    const int row = RowOfNumber(layout.numbering, IntegerValue(fields[group]));
    if (row < 0) continue;
    SatelliteEntry& entry = record.satellites[static_cast<std::size_t>(row)];
    const bool reported_before = entry.in_view == 1;

    // Elevation and azimuth count only when a comma ends them; a sentence that ends inside
    // them leaves the group without flags.
    const int elevation = group + 1;
    const int azimuth = group + 2;
    const int snr = group + 3;
    if (elevation >= fields.Count() - 1) continue;
    TakeAngle(fields[elevation], reported_before, entry.elevation);
    if (azimuth >= fields.Count() - 1) continue;
    TakeAngle(fields[azimuth], reported_before, entry.azimuth);
    TakeSnr(fields[snr], reported_before, entry.snr);
    entry.in_view = 1;
    record.gsv_seen = 1;
  }
}

}  // namespace trackmint
