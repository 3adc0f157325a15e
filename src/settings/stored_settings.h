#pragma once

#include <string>
#include <string_view>

#include "base/window_colour.h"

namespace trackmint {

// The settings that last from one start of the program to the next, each the state of one
// control of the main window. The design value is the control's state when the window has been
// built; the default is what a load sets when there is no settings file.

inline constexpr std::string_view kSettingsSection = "Settings";

// The keys, in the order in which a save writes them.
inline constexpr std::string_view kKeyCheckBox1 = "CheckBox1";
inline constexpr std::string_view kKeyMaskEdit1 = "MaskEdit1";
inline constexpr std::string_view kKeyShapeStyleTrack = "ShapeStyleTrack";
inline constexpr std::string_view kKeyShapeFullTrack = "ShapeFullTrack";
inline constexpr std::string_view kKeyEdit3 = "Edit3";
inline constexpr std::string_view kKeyCheckBox2 = "CheckBox2";
inline constexpr std::string_view kKeyCheckBox4 = "CheckBox4";
inline constexpr std::string_view kKeyCheckBox3 = "CheckBox3";
inline constexpr std::string_view kKeyEdit4 = "Edit4";
inline constexpr std::string_view kKeyLeft = "Left";
inline constexpr std::string_view kKeyTop = "Top";

// Use the fixed date, and the date itself ("yyyy-mm-dd").
inline constexpr bool kDesignCheckBox1 = true;
inline constexpr bool kDefaultCheckBox1 = true;
inline constexpr std::string_view kDesignMaskEdit1 = "2000-01-01";
inline constexpr std::string_view kDefaultMaskEdit1 = "2000-01-01";
// The hidden colour that nothing else reads, and the track colour.
inline constexpr WindowColour kDesignShapeStyleTrack = 16777215;  // white
inline constexpr WindowColour kDefaultShapeStyleTrack = 255;      // red
inline constexpr WindowColour kDesignShapeFullTrack = 255;        // red
inline constexpr WindowColour kDefaultShapeFullTrack = 32768;     // green
// Track width, a whole number 1 to 10 as text.
inline constexpr std::string_view kDesignEdit3 = "5";
inline constexpr std::string_view kDefaultEdit3 = "5";
// Use all the waypoints (hidden), start at the first fix (hidden), show heights.
inline constexpr bool kDesignCheckBox2 = false;
inline constexpr bool kDefaultCheckBox2 = false;
inline constexpr bool kDesignCheckBox4 = false;
inline constexpr bool kDefaultCheckBox4 = false;
inline constexpr bool kDesignCheckBox3 = false;
inline constexpr bool kDefaultCheckBox3 = false;
// Icon scale, a decimal 0.1 to 1.0 as text.
inline constexpr std::string_view kDesignEdit4 = "0.5";
inline constexpr std::string_view kDefaultEdit4 = "0.5";
// The window's position; a load of the defaults leaves it where it is.
inline constexpr int kDesignLeft = 1004;
inline constexpr int kDesignTop = 109;

// The values of the last load, against which the close decides whether to ask about saving.
// The window's position is not among them.
struct LoadedSettings {
  bool check_box1 = kDesignCheckBox1;
  std::string mask_edit1 = std::string(kDesignMaskEdit1);
  WindowColour shape_style_track = kDesignShapeStyleTrack;
  WindowColour shape_full_track = kDesignShapeFullTrack;
  std::string edit3 = std::string(kDesignEdit3);
  bool check_box3 = kDesignCheckBox3;
  bool check_box4 = kDesignCheckBox4;
  bool check_box2 = kDesignCheckBox2;
  std::string edit4 = std::string(kDesignEdit4);

  bool operator==(const LoadedSettings&) const = default;
};

}  // namespace trackmint
