#include "kml/time_stamp.h"

#include "base/calendar_date.h"

namespace trackmint {

void WriteTimeStamp(DocumentStream& stream, std::string_view date_text,
                    std::string_view time_text) {
  if (!IsCalendarDate(date_text) || !ParseTimeOfDay(time_text)) return;
  // Both texts are digits, "-" and "." by now, so they go in as they are.
  stream.Write("<TimeStamp>\n");
  stream.Write("<when>");
  stream.Write(date_text);
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
