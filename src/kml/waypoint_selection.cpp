#include "kml/waypoint_selection.h"

namespace trackmint {

WaypointSource SelectWaypoint(const waypoints& record) {
  const bool gga = record.gga_flag == 1;
  const bool rmc = record.rmc_flag == 1;
  const bool no_gga = record.gga_flag == 0;
  const bool no_rmc = record.rmc_flag == 0;
  if (gga && rmc && (record.rmc_status == 'A' || record.gga_fix_quality != 0)) {
    return WaypointSource::GgaAndRmc;
  }
  if (gga && no_rmc && record.gga_fix_quality != 0) return WaypointSource::GgaOnly;
  if (no_gga && rmc && record.rmc_status == 'A') return WaypointSource::RmcOnly;
  return WaypointSource::None;
}

IconSlot ChooseIcon(const waypoints& record, WaypointSource source) {
  const bool by_quality = source != WaypointSource::RmcOnly;
  const bool by_mode = source != WaypointSource::GgaOnly;
  // An RMC sentence alone with a blank mode indicator counts as autonomous.
  if (source == WaypointSource::RmcOnly && record.mode_indicator == ' ') return IconSlot::Auto;
  for (const FixClass& fix_class : kFixClasses) {
    if (!IsValidFixClass(fix_class.slot)) continue;
    if ((by_quality && record.gga_fix_quality == fix_class.gga_quality) ||
        (by_mode && record.mode_indicator == fix_class.rmc_mode)) {
      return fix_class.slot;
    }
  }
  return IconSlot::Grey;
}

}  // namespace trackmint
