#pragma once

#include <cstddef>
#include <string_view>

namespace trackmint {

// The length of the valid UTF-8 sequence at the start of text and its code point; 0 when the
// text is empty or its first byte does not begin one (stray continuation byte, overlong form,
// surrogate, beyond U+10FFFF, or cut short).
std::size_t DecodeUtf8(std::string_view text, char32_t& code_point);

}  // namespace trackmint
