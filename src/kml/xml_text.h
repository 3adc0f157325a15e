#pragma once

#include <string>
#include <string_view>

#include "kml/document_stream.h"

namespace trackmint {

// Where a text from the log or from a setting lands in the document.
enum class XmlTextPlace {
  kElementContent,  // between tags: "&", "<" and ">" become entity references
  kCData,           // inside the description's CDATA: "]]>" is split so the section cannot end
};

// Makes a text safe for its place in the document, so the document stays well-formed whatever
// the log or the settings file holds: each byte that is not part of valid UTF-8 and each
// character XML 1.0 does not allow (C0 controls but tab, LF and CR; U+FFFE, U+FFFF) becomes "?".
// Everything else stays as it is, quotes included.
std::string EscapeXmlText(std::string_view text, XmlTextPlace place);

// True when EscapeXmlText would give the text back unchanged, by a quick conservative scan.
bool IsPlainXmlText(std::string_view text, XmlTextPlace place);

// Writes the text made safe for its place; plain text goes straight through.
void WriteXmlText(DocumentStream& stream, std::string_view text, XmlTextPlace place);

}  // namespace trackmint
