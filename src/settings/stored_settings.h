#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "base/window_colour.h"

namespace trackmint {

// The fixed date as designed and as a load without a file sets it; it also stands in for a stored
// date that is no date.
inline constexpr std::string_view kDefaultFixedDate = "2000-01-01";

// The settings that last from one start of the program to the next, each the state of one
// control of the main window (named beside it). The member initialisers are the design values:
// the controls' states when the window has been built, before any load.
struct SettingValues {
  bool use_fixed_date = true;                      // CheckBox1
  std::string fixed_date_text{kDefaultFixedDate};  // MaskEdit1, "yyyy-mm-dd"
  WindowColour hidden_colour = 16777215;           // ShapeStyleTrack, hidden; nothing reads it
  WindowColour track_colour = 255;                 // ShapeFullTrack
  std::string track_width_text = "5";              // Edit3, a whole number 1 to 10
  bool use_all_waypoints = false;                  // CheckBox2, hidden: the second track
  bool start_at_first_fix = false;                 // CheckBox4, hidden; nothing reads it
  bool show_height = false;                        // CheckBox3
  std::string icon_scale_text = "0.5";             // Edit4, a decimal 0.1 to 1.0
  int window_left = 1004;                          // the window's position on the screen
  int window_top = 109;
  std::string arrow_interval_text = "0";  // ArrowInterval: seconds; 0 keeps every arrow
  std::string from_time_text;             // FromTime: where the time window starts; "" for none
  std::string to_time_text;               // ToTime: where it ends

  bool operator==(const SettingValues&) const = default;
};

inline constexpr std::string_view kSettingsSection = "Settings";

// How a setting's value is written in the file and read back.
enum class SettingKind {
  Boolean,   // "1" or "0"; any number read, not 0 is checked
  Text,      // as the control shows it
  Date,      // text that must be a calendar date; another text gives the default
  Colour,    // the 32-bit pattern as a signed decimal; "$" or "0x" hex read too
  Position,  // a decimal integer
  // Texts that another text would make unusable: such a one gives the default, and a warning.
  Interval,   // seconds from 0 to 86400 with at most three decimals
  TimeBound,  // empty (no bound), a time of day or a date-time
};

using SettingMember = std::variant<bool SettingValues::*, std::string SettingValues::*,
                                   WindowColour SettingValues::*, int SettingValues::*>;

// One stored setting: its key in the file, its kind, the member that holds it, the default that
// a load without a file sets (in the file's text; none for the position, which such a load
// leaves where it is), and whether the change test at close counts it.
struct StoredSetting {
  std::string_view key;
  SettingKind kind;
  SettingMember member;
  std::string_view default_text;
  bool has_default;
  bool counted_at_close;
};

// The fourteen stored settings in the order a save writes them.
inline constexpr std::array<StoredSetting, 14> kStoredSettings = {{
    {"CheckBox1", SettingKind::Boolean, &SettingValues::use_fixed_date, "1", true, true},
    {"MaskEdit1", SettingKind::Date, &SettingValues::fixed_date_text, kDefaultFixedDate, true,
     true},
    {"ShapeStyleTrack", SettingKind::Colour, &SettingValues::hidden_colour, "255", true, true},
    {"ShapeFullTrack", SettingKind::Colour, &SettingValues::track_colour, "32768", true, true},
    {"Edit3", SettingKind::Text, &SettingValues::track_width_text, "5", true, true},
    {"CheckBox2", SettingKind::Boolean, &SettingValues::use_all_waypoints, "0", true, true},
    {"CheckBox4", SettingKind::Boolean, &SettingValues::start_at_first_fix, "0", true, true},
    {"CheckBox3", SettingKind::Boolean, &SettingValues::show_height, "0", true, true},
    {"Edit4", SettingKind::Text, &SettingValues::icon_scale_text, "0.5", true, true},
    {"Left", SettingKind::Position, &SettingValues::window_left, "", false, false},
    {"Top", SettingKind::Position, &SettingValues::window_top, "", false, false},
    {"ArrowInterval", SettingKind::Interval, &SettingValues::arrow_interval_text, "0", true, true},
    {"FromTime", SettingKind::TimeBound, &SettingValues::from_time_text, "", true, true},
    {"ToTime", SettingKind::TimeBound, &SettingValues::to_time_text, "", true, true},
}};

}  // namespace trackmint
