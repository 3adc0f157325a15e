#include "app/run_settings.h"

#include <gtest/gtest.h>

#include "base/classic_system_colours.h"

namespace trackmint {
namespace {

// A desktop whose every system colour is 0x336699 (blue 33, green 66, red 99).
WindowColour OneSystemColour(WindowColour colour) {
  return IsSystemColour(colour) ? 0x336699 : colour;
}

// What a conversion takes is what the controls hold, with every colour plain.
TEST(SettingsForRun, TakesTheStoredSettingsAndResolvesTheColours) {
  SettingValues values;
  values.use_fixed_date = false;
  values.fixed_date_text = "2019-04-07";
  values.track_colour = kSystemColourFlag | 8;  // the window text
  values.track_width_text = "7";
  values.use_all_waypoints = true;
  values.show_height = true;
  values.icon_scale_text = "0.8";
  const ClassColours class_colours = {
      0x0000FF, kSystemColourFlag | 5, 0x008000, 0x1000000, 0xFFFF00, 0x000000};

  const ConversionSettings settings = SettingsForRun(values, class_colours, OneSystemColour);
  ConversionSettings expected;
  expected.class_colours = {0x0000FF, 0x336699, 0x008000, 0x1000000, 0xFFFF00, 0x000000};
  expected.track_colour = 0x336699;
  expected.track_width_text = "7";
  expected.icon_scale_text = "0.8";
  expected.use_fixed_date = false;
  expected.fixed_date_text = "2019-04-07";
  expected.use_all_waypoints = true;
  expected.show_height = true;
  EXPECT_EQ(settings, expected);
}

// Without a desktop the classic values stand in: the window text is black, the grey text grey.
TEST(SettingsForRun, TheBatchModeTakesTheClassicSystemColours) {
  SettingValues values;
  values.track_colour = kSystemColourFlag | 17;
  ClassColours class_colours = DesignClassColours();
  class_colours[1] = kSystemColourFlag | 8;
  const ConversionSettings settings = SettingsForRun(values, class_colours, ClassicSystemColour);
  EXPECT_EQ(settings.track_colour, MakeWindowColour(128, 128, 128));
  EXPECT_EQ(settings.class_colours[1], MakeWindowColour(0, 0, 0));
  EXPECT_EQ(settings.class_colours[0], 0x0000FFu);  // red, as designed
}

}  // namespace
}  // namespace trackmint
