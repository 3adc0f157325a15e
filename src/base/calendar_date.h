#pragma once

#include <string>
#include <string_view>

#include "base/clock.h"

namespace trackmint {

// "yyyy-mm-dd" as printf's "%04d-%02d-%02d" writes the numbers, whatever they are.
std::string DateText(int year, int month, int day);

// Today's date by the user's clock, marked "*" as a date that did not come from the receiver.
std::string ClockDateText(const Clock& clock);

// Whether a text is a date of the Gregorian calendar written "yyyy-mm-dd": four digits of a year
// from 0001 to 9999, two of a month, two of a day that the month has (29 February only in leap
// years), nothing before or after.
bool IsCalendarDate(std::string_view text);

}  // namespace trackmint
