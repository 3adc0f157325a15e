#include "base/number_format.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace trackmint {
namespace {

// std::to_chars formats as printf does in the C locale, rounding the exact binary value, and
// never looks at the process locale.
unsigned long long Magnitude(long long value) {
  const auto bits = static_cast<unsigned long long>(value);
  return value < 0 ? 0ull - bits : bits;
}

template <typename Write>
void AppendWith(std::string& out, std::size_t room, Write write) {
  const std::size_t start = out.size();
  out.resize(start + room);
  char* end = write(out.data() + start);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

}  // namespace

char* WriteFixed(char* out, double value, int decimals) {
  decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
  return std::to_chars(out, out + kMaxFixedChars, value, std::chars_format::fixed, decimals).ptr;
}

char* WriteDecimal(char* out, long long value) {
  return std::to_chars(out, out + kMaxDecimalChars, value).ptr;
}

char* WriteZeroPadded(char* out, long long value, int width) {
  char digits[kMaxDecimalChars];
  const char* digits_end = std::to_chars(digits, digits + sizeof digits, Magnitude(value)).ptr;
  const auto digit_count = static_cast<int>(digits_end - digits);
  if (value < 0) {
    *out++ = '-';
    --width;
  }
  for (int i = digit_count; i < width; ++i) *out++ = '0';
  std::memcpy(out, digits, static_cast<std::size_t>(digit_count));
  return out + digit_count;
}

void AppendFixed(std::string& out, double value, int decimals) {
  AppendWith(out, kMaxFixedChars, [&](char* p) { return WriteFixed(p, value, decimals); });
}

void AppendDecimal(std::string& out, long long value) {
  AppendWith(out, kMaxDecimalChars, [&](char* p) { return WriteDecimal(p, value); });
}

void AppendZeroPadded(std::string& out, long long value, int width) {
  const auto room =
      std::max<std::size_t>(kMaxDecimalChars, static_cast<std::size_t>(std::max(width, 0)));
  AppendWith(out, room, [&](char* p) { return WriteZeroPadded(p, value, width); });
}

std::string FormatFixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

std::string FormatDecimal(long long value) {
  std::string text;
  AppendDecimal(text, value);
  return text;
}

}  // namespace trackmint
