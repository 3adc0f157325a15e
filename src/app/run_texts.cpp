#include "app/run_texts.h"

#include "base/number_format.h"

namespace trackmint {

std::string_view PhaseText(RunPhase phase) {
  switch (phase) {
    case RunPhase::Started:
      return " ";
    case RunPhase::Reading:
      return "The progress started";
    case RunPhase::Writing:
      return "Creation of KML-file";
    case RunPhase::Packing:
      return "Packing of KMZ-file";
    case RunPhase::Finished:
      return "The progress finished";
    case RunPhase::InputNotOpened:
      return "Can't open the input file";
    case RunPhase::OutputNotCreated:
      return "Can't create the output file";
    case RunPhase::Failed:
      return "The conversion failed";
  }
  return {};
}

std::string WaypointsText(std::int32_t placemarks) {
  return "Waypoints " + FormatDecimal(placemarks);
}

}  // namespace trackmint
