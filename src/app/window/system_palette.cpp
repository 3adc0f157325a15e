#include "app/window/system_palette.h"

#include <array>
#include <optional>

#include "base/classic_system_colours.h"

namespace trackmint {
namespace {

struct PaletteEntry {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;
constexpr QPalette::ColorGroup kInactive = QPalette::Inactive;
constexpr QPalette::ColorGroup kDisabled = QPalette::Disabled;

// Indexed by the classic system-colour number; an empty entry keeps the classic value.
constexpr std::array<std::optional<PaletteEntry>, 31> kPaletteEntries = {{
    PaletteEntry{kActive, QPalette::Button},             // scroll bar
    std::nullopt,                                        // desktop
    PaletteEntry{kActive, QPalette::Highlight},          // active caption
    PaletteEntry{kInactive, QPalette::Highlight},        // inactive caption
    PaletteEntry{kActive, QPalette::Window},             // menu
    PaletteEntry{kActive, QPalette::Base},               // window
    PaletteEntry{kActive, QPalette::Shadow},             // window frame
    PaletteEntry{kActive, QPalette::WindowText},         // menu text
    PaletteEntry{kActive, QPalette::Text},               // window text
    PaletteEntry{kActive, QPalette::HighlightedText},    // caption text
    PaletteEntry{kActive, QPalette::Window},             // active border
    PaletteEntry{kInactive, QPalette::Window},           // inactive border
    PaletteEntry{kActive, QPalette::Mid},                // application workspace
    PaletteEntry{kActive, QPalette::Highlight},          // highlight
    PaletteEntry{kActive, QPalette::HighlightedText},    // highlight text
    PaletteEntry{kActive, QPalette::Button},             // button face
    PaletteEntry{kActive, QPalette::Dark},               // button shadow
    PaletteEntry{kDisabled, QPalette::WindowText},       // grey text
    PaletteEntry{kActive, QPalette::ButtonText},         // button text
    PaletteEntry{kInactive, QPalette::HighlightedText},  // inactive caption text
    PaletteEntry{kActive, QPalette::Light},              // button highlight
    PaletteEntry{kActive, QPalette::Shadow},             // 3-D dark shadow
    PaletteEntry{kActive, QPalette::Midlight},           // 3-D light
    PaletteEntry{kActive, QPalette::ToolTipText},        // tooltip text
    PaletteEntry{kActive, QPalette::ToolTipBase},        // tooltip background
    std::nullopt,                                        // (unused)
    PaletteEntry{kActive, QPalette::Link},               // hot-tracked item
    PaletteEntry{kActive, QPalette::Highlight},          // active caption gradient
    PaletteEntry{kInactive, QPalette::Highlight},        // inactive caption gradient
    PaletteEntry{kActive, QPalette::Highlight},          // menu highlight
    PaletteEntry{kActive, QPalette::Window},             // menu bar
}};

}  // namespace

WindowColour ResolveSystemColour(const QPalette& palette, WindowColour colour) {
  if (!IsSystemColour(colour)) return colour;
  const unsigned index = SystemColourIndex(colour);
  if (index >= kPaletteEntries.size() || !kPaletteEntries[index])
    return ClassicSystemColour(colour);
  const QColor resolved =
      palette.color(kPaletteEntries[index]->group, kPaletteEntries[index]->role);
  return MakeWindowColour(static_cast<unsigned>(resolved.red()),
                          static_cast<unsigned>(resolved.green()),
                          static_cast<unsigned>(resolved.blue()));
}

QColor ToQColor(WindowColour plain_colour) {
  return QColor(static_cast<int>(RedOf(plain_colour)), static_cast<int>(GreenOf(plain_colour)),
                static_cast<int>(BlueOf(plain_colour)));
}

}  // namespace trackmint
