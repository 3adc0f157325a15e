#pragma once

#include <string>

namespace trackmint {

inline constexpr const char* kApplicationTitle = "Kelvra Trackmint";
inline constexpr const char* kWindowCaption = "Kelvra Trackmint  v 1.4";

// The text the error display shows for an error's message: a message whose last character sorts
// after "." (a letter or a digit does) gets a closing ".".
std::string ErrorDisplayText(std::string message);

}  // namespace trackmint
