#pragma once

#include <string_view>

namespace trackmint {

// Whether a text is a date of the Gregorian calendar written "yyyy-mm-dd": four digits of a year
// from 0001 to 9999, two of a month, two of a day that the month has (29 February only in leap
// years), nothing before or after.
bool IsCalendarDate(std::string_view text);

}  // namespace trackmint
