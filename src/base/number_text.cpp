#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace trackmint {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// Length of the decimal number that starts text (sign, digits, point, digits, exponent), 0 when
// there is none. The exponent counts only when at least one digit follows its letter and sign.
std::size_t DecimalNumberLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t integer_start = i;
  i = SkipDigits(text, i);
  std::size_t digits = i - integer_start;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_start = i + 1;
    const std::size_t fraction_end = SkipDigits(text, fraction_start);
    digits += fraction_end - fraction_start;
    if (digits > 0) i = fraction_end;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    const std::size_t exponent_end = SkipDigits(text, e);
    if (exponent_end > e) i = exponent_end;
  }
  return i;
}

// Whether an out-of-range decimal number is too large (rather than too small): its first
// significant digit stands at or above the tens place implied by the exponent.
bool IsOverflow(std::string_view number) {
  std::size_t i = (number[0] == '+' || number[0] == '-') ? 1 : 0;
  bool found = false;
  long long integer_digits = 0;
  for (; i < number.size() && IsDigit(number[i]); ++i) {
    if (number[i] != '0' || found) {
      found = true;
      ++integer_digits;
    }
  }
  long long magnitude = integer_digits - 1;  // decimal exponent of the first significant digit
  if (!found && i < number.size() && number[i] == '.') {
    for (++i; i < number.size() && number[i] == '0'; ++i) --magnitude;
  }
  const auto e = number.find_first_of("eE");
  if (e != std::string_view::npos) {
    long long exponent = 0;
    std::size_t j = e + 1;
    const bool negative = j < number.size() && number[j] == '-';
    if (j < number.size() && (number[j] == '+' || number[j] == '-')) ++j;
    for (; j < number.size(); ++j) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[j] - '0');
    }
    magnitude += negative ? -exponent : exponent;
  }
  return magnitude > 0;
}

}  // namespace

std::int32_t IntegerValue(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

double DecimalValue(std::string_view text) {
  text.remove_prefix(SkipBlanks(text));
  const std::size_t length = DecimalNumberLength(text);
  if (length == 0) return 0.0;
  std::string_view number = text.substr(0, length);
  const bool negative = number[0] == '-';
  // from_chars takes no leading "+".
  const std::string_view unsigned_number =
      (number[0] == '+' || number[0] == '-') ? number.substr(1) : number;
  double value = 0.0;
  const auto [end, error] = std::from_chars(unsigned_number.data(),
                                            unsigned_number.data() + unsigned_number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    value = IsOverflow(unsigned_number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace trackmint
