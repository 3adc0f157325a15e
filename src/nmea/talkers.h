#pragma once

#include <string_view>

namespace trackmint {

// Talkers of satellite systems that the satellites table has no rows for (Galileo, BeiDou, QZSS,
// NavIC). Their receivers number satellites from 1, which would land on GPS or SBAS rows
// (ublox-zed-f9r.log shows GA and GB lists), so their satellites are never entered.
inline bool IsTalkerWithoutTableRows(std::string_view sentence) {
  if (sentence.size() < 3) return false;
  const std::string_view talker = sentence.substr(1, 2);
  return talker == "GA" || talker == "GB" || talker == "BD" || talker == "GQ" || talker == "QZ" ||
         talker == "GI";
}

}  // namespace trackmint
