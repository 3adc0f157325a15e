#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/window_colour.h"

namespace trackmint {

// The fix classes that have a swatch, and the grey icon for an epoch of none of the valid
// classes: the seven icons, in the order the run makes them and the archive holds them.
enum class IconSlot { Auto, Diff, RtkFix, RtkFloat, Estimated, Invalid, Grey };
inline constexpr int kIconSlotCount = 7;
// Every slot but the grey icon's has a swatch whose colour the user chooses.
inline constexpr int kClassSwatchCount = kIconSlotCount - 1;
using ClassColours = std::array<WindowColour, kClassSwatchCount>;

// Everything that is known of a fix class, in one row.
struct FixClass {
  IconSlot slot;
  // The GGA fix quality and the RMC mode indicator that name the class; an epoch gets the icon of
  // the first valid class that its quality or mode names. Invalid and the grey icon are never
  // chosen that way.
  std::optional<std::int32_t> gga_quality;
  std::optional<char> rmc_mode;
  // The description's name of that GGA quality, "RTK Fix (4)" in the Status(GGA) row.
  std::string_view status_text;
  // The class in the summary of a run.
  std::string_view summary_name;
  // The colour of its swatch when the window opens (red, yellow, green, fuchsia, aqua, black), and
  // the grey icon's fixed colour. The swatches' colours are no stored settings.
  WindowColour design_colour;
};

inline constexpr std::array<FixClass, kIconSlotCount> kFixClasses = {{
    {IconSlot::Auto, 1, 'A', "Fix valid", "Auto", 0x0000FF},
    {IconSlot::Diff, 2, 'D', "Diff fix valid", "Diff", 0x00FFFF},
    {IconSlot::RtkFix, 4, 'P', "RTK Fix", "RTK Fix", 0x008000},
    {IconSlot::RtkFloat, 5, 'F', "RTK Float", "RTK Float", 0xFF00FF},
    {IconSlot::Estimated, 6, 'E', "Dead", "Estimated", 0xFFFF00},
    {IconSlot::Invalid, 0, std::nullopt, "N/A", "Invalid", 0x000000},
    {IconSlot::Grey, std::nullopt, std::nullopt, {}, "other", 0x808080},
}};

constexpr const FixClass& FixClassOf(IconSlot slot) {
  return kFixClasses[static_cast<std::size_t>(slot)];
}

// The classes an epoch's quality or mode can name.
constexpr bool IsValidFixClass(IconSlot slot) {
  return slot != IconSlot::Invalid && slot != IconSlot::Grey;
}

inline constexpr WindowColour kGreyIconColour = FixClassOf(IconSlot::Grey).design_colour;

// The swatches' colours as the window opens, by slot.
constexpr ClassColours DesignClassColours() {
  ClassColours colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = kFixClasses[i].design_colour;
  return colours;
}

static_assert(
    [] {
      for (std::size_t i = 0; i < kFixClasses.size(); ++i) {
        if (kFixClasses[i].slot != static_cast<IconSlot>(i)) return false;
      }
      return true;
    }(),
    "the rows stand in slot order");

}  // namespace trackmint
