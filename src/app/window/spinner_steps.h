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

// The arrow interval's next text (UpDown3Click): the next round interval up or down from the
// field's seconds (0, 0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30 s, 1, 2, 5, 10, 15, 30 minutes, an hour),
// staying at the ends; a text that is no interval counts as 0.
std::string StepArrowInterval(std::string_view text, SpinDirection direction);

}  // namespace trackmint
