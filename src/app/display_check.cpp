#include "app/display_check.h"

#include "app/error_text.h"

namespace trackmint {
namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

bool DisplayAvailable(const std::function<const char*(const char* name)>& lookup) {
#if defined(__linux__)
  return IsSet(lookup("DISPLAY")) || IsSet(lookup("WAYLAND_DISPLAY")) ||
         IsSet(lookup("QT_QPA_PLATFORM"));
#else
  (void)lookup;
  return true;
#endif
}

std::string NoDisplayText() {
  return std::string(kApplicationTitle) +
         ": the window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
         "A log is converted from the command line with: trackmint IN OUT [SETTINGS]\n";
}

}  // namespace trackmint
