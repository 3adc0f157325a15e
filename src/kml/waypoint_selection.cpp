#include "kml/waypoint_selection.h"

#include <array>
#include <cstdint>

namespace trackmint {
namespace {

// The fix classes in the order they are tried, with the GGA quality and the RMC mode indicator
// that name each.
struct FixClass {
  std::int32_t quality;
  char mode;
  IconSlot icon;
};

constexpr std::array<FixClass, 5> kFixClasses = {{
    {1, 'A', IconSlot::Auto},
    {2, 'D', IconSlot::Diff},
    {4, 'P', IconSlot::RtkFix},
    {5, 'F', IconSlot::RtkFloat},
    {6, 'E', IconSlot::Estimated},
}};

}  // namespace

WaypointSource SelectWaypoint(const waypoints& record) {
  const bool gga = record.gga_flag == 1;
  const bool rmc = record.rmc_flag == 1;
  const bool no_gga = record.gga_flag == 0;
  const bool no_rmc = record.rmc_flag == 0;
  if (gga && rmc && (record.rmc_status == 'A' || record.gga_fix_quality != 0)) {
    return WaypointSource::kGgaAndRmc;
  }
  if (gga && no_rmc && record.gga_fix_quality != 0) return WaypointSource::kGgaOnly;
  if (no_gga && rmc && record.rmc_status == 'A') return WaypointSource::kRmcOnly;
  return WaypointSource::kNone;
}

IconSlot ChooseIcon(const waypoints& record, WaypointSource source) {
  const bool by_quality = source != WaypointSource::kRmcOnly;
  const bool by_mode = source != WaypointSource::kGgaOnly;
  // An RMC sentence alone with a blank mode indicator counts as autonomous.
  if (source == WaypointSource::kRmcOnly && record.mode_indicator == ' ') return IconSlot::Auto;
  for (const FixClass& fix_class : kFixClasses) {
    if ((by_quality && record.gga_fix_quality == fix_class.quality) ||
        (by_mode && record.mode_indicator == fix_class.mode)) {
      return fix_class.icon;
    }
  }
  return IconSlot::Grey;
}

}  // namespace trackmint
