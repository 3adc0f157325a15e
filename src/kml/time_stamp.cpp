#include "kml/time_stamp.h"

#include "base/calendar_date.h"

namespace trackmint {

std::string_view TimeStampDatePart(std::string_view date_text) {
  std::size_t end = date_text.find('^');
  if (end == std::string_view::npos) end = date_text.find('*');
  return date_text.substr(0, end);
}

void WriteTimeStamp(DocumentStream& stream, std::string_view date_text,
                    std::string_view time_text) {
  const std::string_view date = TimeStampDatePart(date_text);
  // A marker followed by more text (two dates run together) leaves it unclear which date is meant.
  if (date_text.size() - date.size() > 1 || !IsCalendarDate(date) || !ParseTimeOfDay(time_text)) {
    return;
  }
  // Both texts are digits, "-" and "." by now, so they go in as they are.
  stream.Write("<TimeStamp>\n");
  stream.Write("<when>");
  stream.Write(date);
  stream.Write('T');
  stream.Write(time_text.substr(0, 2));
  stream.Write(':');
  stream.Write(time_text.substr(2, 2));
  stream.Write(':');
  stream.Write(time_text.substr(4));
  stream.Write("Z</when>\n");
  stream.Write("</TimeStamp>\n");
}

}  // namespace trackmint
