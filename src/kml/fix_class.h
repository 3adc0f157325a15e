#pragma once

#include <array>

#include "base/window_colour.h"

namespace trackmint {

// The fix classes that have a swatch, and the grey icon for an epoch of none of the valid
// classes: the seven icons, in the order the run makes them and the archive holds them.
enum class IconSlot { Auto, Diff, RtkFix, RtkFloat, Estimated, Invalid, Grey };
inline constexpr int kIconSlotCount = 7;
inline constexpr std::array<IconSlot, kIconSlotCount> kIconOrder = {
    IconSlot::Auto,      IconSlot::Diff,    IconSlot::RtkFix, IconSlot::RtkFloat,
    IconSlot::Estimated, IconSlot::Invalid, IconSlot::Grey};
inline constexpr WindowColour kGreyIconColour = 0x808080;
// The fix classes' swatches as the window is designed (red, yellow, green, fuchsia, aqua, black),
// in slot order, with the grey icon last. They are no stored settings: every start begins so.
inline constexpr std::array<WindowColour, kIconSlotCount> kDesignIconColours = {
    0x0000FF, 0x00FFFF, 0x008000, 0xFF00FF, 0xFFFF00, 0x000000, kGreyIconColour};

}  // namespace trackmint
