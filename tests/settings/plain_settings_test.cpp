#include "settings/plain_settings.h"

#include <gtest/gtest.h>

namespace trackmint {
namespace {

TEST(PlainSettings, StartsWithTheDesignValues) {
  const PlainSettings controls;
  const SettingValues values = controls.Values();
  EXPECT_TRUE(values.use_fixed_date);
  EXPECT_EQ(values.fixed_date_text, "2000-01-01");
  EXPECT_EQ(values.hidden_colour, 16777215u);
  EXPECT_EQ(values.track_colour, 255u);
  EXPECT_EQ(values.track_width_text, "5");
  EXPECT_FALSE(values.use_all_waypoints);
  EXPECT_FALSE(values.start_at_first_fix);
  EXPECT_FALSE(values.show_height);
  EXPECT_EQ(values.icon_scale_text, "0.5");
  EXPECT_EQ(values.window_left, 1004);
  EXPECT_EQ(values.window_top, 109);
  EXPECT_FALSE(controls.FixedDateEnabled());
}

// The date field is enabled exactly when the fixed date is used.
TEST(PlainSettings, EnabledStatesFollowTheValues) {
  PlainSettings controls;
  for (const bool use_fixed_date : {true, false, true}) {
    for (const bool use_all_waypoints : {false, true}) {
      SettingValues values = controls.Values();
      values.use_fixed_date = use_fixed_date;
      values.use_all_waypoints = use_all_waypoints;
      controls.SetValues(values);
      EXPECT_EQ(controls.Values(), values);
      EXPECT_EQ(controls.FixedDateEnabled(), use_fixed_date);
    }
  }
}

}  // namespace
}  // namespace trackmint
