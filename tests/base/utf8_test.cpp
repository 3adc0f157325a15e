// The UTF-8 decoder that decides which bytes of a log's text reach the document as they are: each
// row's expectation comes from the encoding's table (lead byte ranges, the smallest code point of
// each length, the surrogates and U+10FFFF as the end).
#include "base/utf8.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace trackmint {
namespace {

TEST(DecodeUtf8, Cases) {
  struct Case {
    const char* legend;
    std::string_view text;
    std::size_t length;   // 0: not a valid sequence
    char32_t code_point;  // when length is not 0
  };
  using namespace std::string_view_literals;
  const std::vector<Case> cases = {
      {"ASCII", "A", 1, 0x41},
      {"NUL is ASCII too", "\0"sv, 1, 0},
      {"DEL, the last ASCII", "\x7F", 1, 0x7F},
      {"only the first sequence counts", "Ab", 1, 0x41},
      {"two bytes, the smallest", "\xC2\x80", 2, 0x80},
      {"two bytes: e acute", "\xC3\xA9rest", 2, 0xE9},
      {"two bytes, the largest", "\xDF\xBF", 2, 0x7FF},
      {"three bytes, the smallest", "\xE0\xA0\x80", 3, 0x800},
      {"three bytes: euro sign", "\xE2\x82\xAC", 3, 0x20AC},
      {"three bytes: just below the surrogates", "\xED\x9F\xBF", 3, 0xD7FF},
      {"three bytes: just above the surrogates", "\xEE\x80\x80", 3, 0xE000},
      {"three bytes, the largest", "\xEF\xBF\xBF", 3, 0xFFFF},
      {"four bytes, the smallest", "\xF0\x90\x80\x80", 4, 0x10000},
      {"four bytes: grinning face", "\xF0\x9F\x98\x80", 4, 0x1F600},
      {"four bytes: U+10FFFF, the last code point", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
      {"stray continuation byte 80", "\x80", 0, 0},
      {"stray continuation byte BF",
       "\xBF"
       "A",
       0, 0},
      {"overlong two bytes for '/' (C0)", "\xC0\xAF", 0, 0},
      {"overlong two bytes (C1)", "\xC1\xBF", 0, 0},
      {"overlong three bytes for '/'", "\xE0\x80\xAF", 0, 0},
      {"overlong three bytes for U+07FF", "\xE0\x9F\xBF", 0, 0},
      {"overlong four bytes for U+FFFF", "\xF0\x8F\xBF\xBF", 0, 0},
      {"surrogate U+D800", "\xED\xA0\x80", 0, 0},
      {"surrogate U+DFFF", "\xED\xBF\xBF", 0, 0},
      {"above U+10FFFF (F4 90)", "\xF4\x90\x80\x80", 0, 0},
      {"above U+10FFFF (lead F5)", "\xF5\x80\x80\x80", 0, 0},
      {"no lead byte FF", "\xFF", 0, 0},
      {"cut short: two bytes", "\xC3", 0, 0},
      {"cut short: three bytes", "\xE2\x82", 0, 0},
      {"cut short: four bytes", "\xF0\x9F\x98", 0, 0},
      {"second byte no continuation",
       "\xC3"
       "A",
       0, 0},
      {"third byte no continuation",
       "\xE2\x82"
       "A",
       0, 0},
      {"fourth byte no continuation",
       "\xF0\x9F\x98"
       "A",
       0, 0},
      // Cut from a longer text, so that a read of its first byte would find a letter.
      {"the empty text", std::string_view("A", 0), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    char32_t code_point = 0xFFFFFFFF;
    EXPECT_EQ(DecodeUtf8(c.text, code_point), c.length);
    if (c.length != 0) {
      EXPECT_EQ(code_point, c.code_point);
    }
  }
}

}  // namespace
}  // namespace trackmint
