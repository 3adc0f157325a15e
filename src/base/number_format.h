#pragma once

#include <cstddef>
#include <string>

namespace trackmint {

// Numbers as printf's "%.Nf" and "%d" write them in the C locale, whatever locale the process
// runs in: "." as decimal point, halves rounded on the exact binary value, "-0.000000" for
// negative zero, every integer digit of a large value, and "inf", "-inf", "nan", "-nan".

inline constexpr int kMaxFixedDecimals = 20;
// Sign, the 309 integer digits of the largest double, the point and the decimals.
inline constexpr std::size_t kMaxFixedChars = 1 + 309 + 1 + kMaxFixedDecimals;
// Sign and the 19 digits of the largest long long.
inline constexpr std::size_t kMaxDecimalChars = 20;

// Write into a buffer with room for kMaxFixedChars (kMaxDecimalChars, or the width when that is
// larger) and return the end of what was written. decimals is kept within 0 to kMaxFixedDecimals.
char* WriteFixed(char* out, double value, int decimals);
char* WriteDecimal(char* out, long long value);
// "%0*d": at least width characters, the sign included, padded with zeros after the sign.
char* WriteZeroPadded(char* out, long long value, int width);

void AppendFixed(std::string& out, double value, int decimals);
void AppendDecimal(std::string& out, long long value);
void AppendZeroPadded(std::string& out, long long value, int width);

std::string FormatFixed(double value, int decimals);
std::string FormatDecimal(long long value);

}  // namespace trackmint
