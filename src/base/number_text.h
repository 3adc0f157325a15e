#pragma once

#include <cstdint>
#include <string_view>

namespace trackmint {

// The integer value of a text: optional leading blanks and sign, then the leading decimal digits;
// 0 when there are none, trailing characters ignored ("12," gives 12, "2.5" gives 2). A value
// beyond the 32-bit range saturates, so no absurd field can wrap around into a plausible number.
std::int32_t IntegerValue(std::string_view text);

// The decimal value of a text: the longest leading decimal number (blanks, sign, digits, point,
// exponent); 0 when there is none. Always read with "." as the decimal point, whatever the
// locale. A number too large for a double gives an infinity, a tiny one gives 0.
double DecimalValue(std::string_view text);

}  // namespace trackmint
