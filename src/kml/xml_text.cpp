#include "kml/xml_text.h"

#include <cstdint>

#include "base/utf8.h"

namespace trackmint {
namespace {

constexpr char kReplacement = '?';

bool IsXmlChar(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

bool IsPlainXmlText(std::string_view text, XmlTextPlace place) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      if (place == XmlTextPlace::ElementContent ? (c == '&' || c == '<' || c == '>') : c == ']') {
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
    } else if (place == XmlTextPlace::ElementContent && c == '&') {
      safe += "&amp;";
    } else if (place == XmlTextPlace::ElementContent && c == '<') {
      safe += "&lt;";
    } else if (place == XmlTextPlace::ElementContent && c == '>') {
      safe += "&gt;";
    } else if (place == XmlTextPlace::CData && c == '>' && safe.ends_with("]]")) {
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
