#include "settings/settings_change.h"

#include "settings/text_case.h"

namespace trackmint {

bool SettingsChanged(const SettingsControls& controls, const LoadedSettings& loaded) {
  return controls.CheckBox1() != loaded.check_box1 ||
         !SameTextIgnoringCase(controls.MaskEdit1(), loaded.mask_edit1) ||
         controls.ShapeStyleTrack() != loaded.shape_style_track ||
         controls.ShapeFullTrack() != loaded.shape_full_track || controls.Edit3() != loaded.edit3 ||
         controls.CheckBox2() != loaded.check_box2 || controls.CheckBox4() != loaded.check_box4 ||
         controls.CheckBox3() != loaded.check_box3 || controls.Edit4() != loaded.edit4;
}

}  // namespace trackmint
