// $PQVXD,A,2.7*hh        $PZQJRZD,A,0.9*hh
//
// Proprietary sentences that carry the receiver's position error.
// field  meaning            unit
//   1    status             (not used)
//   2    RMS error          metres; only its leading number counts
#include "base/number_text.h"
#include "nmea/sentence_parsers.h"

namespace trackmint {

void ParseRMS(std::string_view sentence, waypoints& record) {
  const auto star = sentence.find('*');
  const std::string_view body = sentence.substr(0, star);
  const auto first_comma = body.find(',');
  if (first_comma == std::string_view::npos) return;
  const auto second_comma = body.find(',', first_comma + 1);
  if (second_comma == std::string_view::npos || second_comma + 1 == body.size()) return;
  record.rms_error = DecimalValue(body.substr(second_comma + 1));
}

}  // namespace trackmint
