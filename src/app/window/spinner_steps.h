#pragma once

#include <string>
#include <string_view>

namespace trackmint {

// The direction of a spinner press that moved the spinner's counter.
enum class SpinDirection { Up, Down };

// The width field's next text (UpDown1Click): its whole number (leading blanks, sign and digits;
// 0 when there is none) one up or down, kept within "1" to "10".
std::string StepTrackWidth(std::string_view text, SpinDirection direction);

// The scale field's next text (UpDown2Click): its decimal number (always with ".") 0.1 up or
// down; below 0.1 it becomes "0.1", above 1.0 "1.0", otherwise the number rounded to six decimals
// and written without trailing zeros but with at least one decimal ("0.6", "1.0", "0.25").
std::string StepIconScale(std::string_view text, SpinDirection direction);

}  // namespace trackmint
