#include "app/run_settings.h"

#include "base/trackmint_error.h"

namespace trackmint {
namespace {

// The stored texts are checked where they come in (the settings file, the command line, the
// window's fields); one that is not a bound here has slipped past them.
std::optional<TimeBound> BoundOf(const std::string& text, const char* key) {
  if (text.empty()) return std::nullopt;
  const std::optional<TimeBound> bound = ParseTimeBound(text);
  if (!bound) throw TrackmintError(std::string(key) + " \"" + text + "\" is no time");
  return bound;
}

}  // namespace

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
  settings.time_window.from = BoundOf(values.from_time_text, "FromTime");
  settings.time_window.to = BoundOf(values.to_time_text, "ToTime");
  const std::optional<std::int32_t> interval = ParseArrowInterval(values.arrow_interval_text);
  if (!interval) {
    throw TrackmintError("ArrowInterval \"" + values.arrow_interval_text + "\" is no interval");
  }
  settings.arrow_interval_ms = *interval;
  return settings;
}

}  // namespace trackmint
