#include "kml/time_stamp.h"

#include "base/calendar_date.h"

namespace trackmint {

std::optional<std::string> DateTimeText(std::string_view date_text, std::string_view time_text) {
  if (!IsCalendarDate(date_text) || !ParseTimeOfDay(time_text)) return std::nullopt;
  // Both texts are digits, "-" and "." by now, so they go in as they are.
  std::string text(date_text);
  text += 'T';
  text += time_text.substr(0, 2);
  text += ':';
  text += time_text.substr(2, 2);
  text += ':';
  text += time_text.substr(4);
  text += 'Z';
  return text;
}

void WriteTimeStamp(DocumentStream& stream, std::string_view date_text,
                    std::string_view time_text) {
  const std::optional<std::string> when = DateTimeText(date_text, time_text);
  if (!when) return;
  stream.Write("<TimeStamp>\n");
  stream.Write("<when>");
  stream.Write(*when);
  stream.Write("</when>\n");
  stream.Write("</TimeStamp>\n");
}

}  // namespace trackmint
