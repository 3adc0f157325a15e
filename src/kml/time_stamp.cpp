#include "kml/time_stamp.h"

#include "kml/xml_text.h"

namespace trackmint {

std::string_view TimeStampDatePart(std::string_view date_text) {
  std::size_t end = date_text.find('^');
  if (end == std::string_view::npos) end = date_text.find('*');
  return date_text.substr(0, end);
}

void WriteTimeStamp(DocumentStream& stream, std::string_view date_text,
                    std::string_view time_text) {
  if (time_text.empty()) return;
  stream.Write("<TimeStamp>\n");
  stream.Write("<when>");
  WriteXmlText(stream, TimeStampDatePart(date_text), XmlTextPlace::kElementContent);
  stream.Write('T');
  WriteXmlText(stream, time_text, XmlTextPlace::kElementContent);
  stream.Write("Z</when>\n");
  stream.Write("</TimeStamp>\n");
}

}  // namespace trackmint
