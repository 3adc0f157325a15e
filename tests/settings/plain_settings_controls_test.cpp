#include "settings/plain_settings_controls.h"

#include <gtest/gtest.h>

namespace trackmint {
namespace {

TEST(PlainSettingsControls, StartsWithTheDesignValues) {
  const PlainSettingsControls controls;
  EXPECT_TRUE(controls.CheckBox1());
  EXPECT_EQ(controls.MaskEdit1(), "2000-01-01");
  EXPECT_EQ(controls.ShapeStyleTrack(), 16777215u);
  EXPECT_EQ(controls.ShapeFullTrack(), 255u);
  EXPECT_EQ(controls.Edit3(), "5");
  EXPECT_FALSE(controls.CheckBox2());
  EXPECT_FALSE(controls.CheckBox4());
  EXPECT_FALSE(controls.CheckBox3());
  EXPECT_EQ(controls.Edit4(), "0.5");
  EXPECT_EQ(controls.Left(), 1004);
  EXPECT_EQ(controls.Top(), 109);
  EXPECT_FALSE(controls.MaskEdit1Enabled());
  EXPECT_TRUE(controls.Label3Enabled());
  EXPECT_TRUE(controls.ShapeFullTrackEnabled());
}

TEST(PlainSettingsControls, CheckBox1ClickFiresOnlyOnAChange) {
  PlainSettingsControls controls;
  controls.SetCheckBox1(true);  // already checked: no click, the date field stays disabled
  EXPECT_FALSE(controls.MaskEdit1Enabled());
  controls.SetCheckBox1(false);
  EXPECT_FALSE(controls.MaskEdit1Enabled());
  controls.SetCheckBox1(true);
  EXPECT_TRUE(controls.MaskEdit1Enabled());
  controls.SetMaskEdit1Enabled(false);
  controls.SetCheckBox1(true);
  EXPECT_FALSE(controls.MaskEdit1Enabled());
}

// The valid track is written in the track colour whatever CheckBox2 holds, so no state of the
// box may grey out the colour's swatch.
TEST(PlainSettingsControls, TheTrackColourStaysUsableWhateverCheckBox2Holds) {
  PlainSettingsControls controls;
  for (const bool checked : {false, true, false, true, false}) {
    controls.SetCheckBox2(checked);
    EXPECT_TRUE(controls.Label3Enabled()) << checked;
    EXPECT_TRUE(controls.ShapeFullTrackEnabled()) << checked;
  }
}

}  // namespace
}  // namespace trackmint
