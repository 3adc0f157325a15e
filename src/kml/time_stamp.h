#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kml/document_stream.h"

namespace trackmint {

// The placemark's TimeStamp, "<when>yyyy-mm-ddThh:mm:ss[.f...]Z</when>", from the date text and
// the time text "hhmmss[.f...]" (the fraction kept exactly as received). Viewers hide or ignore a
// placemark whose time is not a real date-time, so a TimeStamp is written only when the texts
// make one: the date text is a calendar date "yyyy-mm-dd", the time has hours to 23, minutes to 59
// and seconds to 60 (a leap second), and a fraction has at least one digit. Any other texts, an
// empty time text among them, give no TimeStamp at all; the description still shows them as
// received.
void WriteTimeStamp(DocumentStream& stream, std::string_view date_text, std::string_view time_text);

// The dateTime of that TimeStamp, "yyyy-mm-ddThh:mm:ss[.f...]Z"; nothing when there is none.
std::optional<std::string> DateTimeText(std::string_view date_text, std::string_view time_text);

}  // namespace trackmint
