#pragma once

#include <string_view>

namespace trackmint {

// Whether two texts are equal when ASCII letters are taken without regard to case; other bytes
// must match exactly. Independent of the process locale.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace trackmint
