#include "kml/xml_text.h"

#include <cstdint>

namespace trackmint {
namespace {

constexpr char kReplacement = '?';

// The length of the valid UTF-8 sequence at the start of text and its code point; 0 when the
// first byte does not begin one (stray continuation byte, overlong form, surrogate, beyond
// U+10FFFF, or cut short).
std::size_t DecodeUtf8(std::string_view text, char32_t& code_point) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t lowest = 0;
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0u) != 0x80u) return 0;
    value = value << 6 | (byte(i) & 0x3Fu);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code_point = value;
  return length;
}

bool IsXmlChar(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

bool IsPlainXmlText(std::string_view text, XmlTextPlace place) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      if (place == XmlTextPlace::kElementContent ? (c == '&' || c == '<' || c == '>') : c == ']') {
        return false;
      }
    } else if (byte != '\t' && byte != '\n' && byte != '\r') {
      return false;
    }
  }
  return true;
}

std::string EscapeXmlText(std::string_view text, XmlTextPlace place) {
  std::string safe;
  safe.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t code_point = 0;
    const std::size_t length = DecodeUtf8(text.substr(i), code_point);
    if (length == 0) {
      // Not UTF-8: this byte alone is replaced, and decoding starts again at the next one.
      safe += kReplacement;
      ++i;
      continue;
    }
    const char c = text[i];
    if (!IsXmlChar(code_point)) {
      safe += kReplacement;
    } else if (place == XmlTextPlace::kElementContent && c == '&') {
      safe += "&amp;";
    } else if (place == XmlTextPlace::kElementContent && c == '<') {
      safe += "&lt;";
    } else if (place == XmlTextPlace::kElementContent && c == '>') {
      safe += "&gt;";
    } else if (place == XmlTextPlace::kCData && c == '>' && safe.ends_with("]]")) {
      // Ends the section after "]]" and opens a new one for the ">".
      safe += "]]><![CDATA[>";
    } else {
      safe.append(text, i, length);
    }
    i += length;
  }
  return safe;
}

void WriteXmlText(DocumentStream& stream, std::string_view text, XmlTextPlace place) {
  if (IsPlainXmlText(text, place)) {
    stream.Write(text);
  } else {
    stream.Write(EscapeXmlText(text, place));
  }
}

}  // namespace trackmint
