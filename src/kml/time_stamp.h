#pragma once

#include <string_view>

#include "kml/document_stream.h"

namespace trackmint {

// The date of the time stamp: the date text without its source marker, the text before the first
// "^" (fixed date) or, when there is none, before the first "*" (clock date).
std::string_view TimeStampDatePart(std::string_view date_text);

// The placemark's TimeStamp, "<when>date" "T" "time" "Z</when>". A record without a time text has
// no moment to show and gets no TimeStamp at all.
void WriteTimeStamp(DocumentStream& stream, std::string_view date_text, std::string_view time_text);

}  // namespace trackmint
