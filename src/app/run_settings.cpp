#include "app/run_settings.h"

namespace trackmint {

ConversionSettings SettingsForRun(const SettingValues& values, const ClassColours& class_colours,
                                  const ColourResolver& resolve) {
  ConversionSettings settings;
  for (std::size_t i = 0; i < class_colours.size(); ++i) {
    settings.class_colours[i] = resolve(class_colours[i]);
  }
  settings.track_colour = resolve(values.track_colour);
  settings.track_width_text = values.track_width_text;
  settings.icon_scale_text = values.icon_scale_text;
  settings.use_fixed_date = values.use_fixed_date;
  settings.fixed_date_text = values.fixed_date_text;
  settings.use_all_waypoints = values.use_all_waypoints;
  settings.show_height = values.show_height;
  return settings;
}

}  // namespace trackmint
