#pragma once

#include <functional>
#include <string>

namespace trackmint {

// Whether a window can be shown: on Linux a display (X11 or Wayland) or a platform chosen
// explicitly. lookup gives an environment variable's value, or nullptr when it is not set.
bool DisplayAvailable(const std::function<const char*(const char* name)>& lookup);

// What the program says on standard error when it has no display.
std::string NoDisplayText();

}  // namespace trackmint
