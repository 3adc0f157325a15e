#include "kml/time_stamp.h"

#include "base/calendar_date.h"

namespace trackmint {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The two digits at the start of the text, when both are digits and their number is at most the
// limit.
bool IsTwoDigitsUpTo(std::string_view text, int limit) {
  return IsDigit(text[0]) && IsDigit(text[1]) && (text[0] - '0') * 10 + (text[1] - '0') <= limit;
}

// "hhmmss" or "hhmmss.f..." with at least one digit after the point: no sign, blank or second
// point, so the text needs no escaping.
bool IsTimeOfDay(std::string_view time_text) {
  if (time_text.size() < 6) return false;
  if (!IsTwoDigitsUpTo(time_text.substr(0, 2), 23) ||
      !IsTwoDigitsUpTo(time_text.substr(2, 2), 59) ||
      !IsTwoDigitsUpTo(time_text.substr(4, 2), 60)) {
    return false;
  }
  if (time_text.size() == 6) return true;
  if (time_text[6] != '.' || time_text.size() == 7) return false;
  for (const char c : time_text.substr(7)) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

}  // namespace

std::string_view TimeStampDatePart(std::string_view date_text) {
  std::size_t end = date_text.find('^');
  if (end == std::string_view::npos) end = date_text.find('*');
  return date_text.substr(0, end);
}

void WriteTimeStamp(DocumentStream& stream, std::string_view date_text,
                    std::string_view time_text) {
  const std::string_view date = TimeStampDatePart(date_text);
  // A marker followed by more text (two dates run together) leaves it unclear which date is meant.
  if (date_text.size() - date.size() > 1 || !IsCalendarDate(date) || !IsTimeOfDay(time_text)) {
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
