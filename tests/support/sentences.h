#pragma once

#include <cstdio>
#include <string>

namespace trackmint::testing {

// "$" + body + "*" + the two upper-case hex digits of the exclusive or of the body: the test's
// own checksum, independent of the assembler's.
inline std::string Sentence(const std::string& body) {
  unsigned checksum = 0;
  for (unsigned char c : body) checksum ^= c;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", checksum);
  return "$" + body + "*" + digits;
}

// The same followed by CR LF, as a log line.
inline std::string Line(const std::string& body) {
  return Sentence(body) + "\r\n";
}

}  // namespace trackmint::testing
