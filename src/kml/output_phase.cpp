#include "kml/output_phase.h"

#include <string>

#include "base/number_format.h"
#include "kml/document_frame.h"
#include "kml/line_style.h"
#include "kml/track_placemarks.h"
#include "kml/waypoint_placemark.h"
#include "kml/waypoint_selection.h"

namespace trackmint {
namespace {

// The date an epoch shows: the fixed date marked "^" for an epoch with a GGA fix; a GGA-only epoch
// without it has no date of its own and takes today's, marked "*". RMC-only epochs keep theirs.
void SetWaypointDate(waypoints& record, WaypointSource source, const RunHost& host,
                     const Clock& clock) {
  if (source == WaypointSource::kRmcOnly) return;
  if (host.UseFixedDate()) {
    record.date_text = host.FixedDateText();
    record.date_text += '^';
  } else if (source == WaypointSource::kGgaOnly) {
    const LocalDateTime today = clock.Now();
    record.date_text.clear();
    AppendZeroPadded(record.date_text, today.year, 4);
    record.date_text += '-';
    AppendZeroPadded(record.date_text, today.month, 2);
    record.date_text += '-';
    AppendZeroPadded(record.date_text, today.day, 2);
    record.date_text += '*';
  }
}

std::int32_t WriteWaypointsFolder(DocumentStream& stream, EpochList& epochs, RunHost& host,
                                  const Clock& clock) {
  stream.Write("<Folder>\n");
  stream.Write("<name>WayPoints</name>\n");
  std::int32_t placemark_counter = 0;
  for (waypoints& record : epochs) {
    const WaypointSource source = SelectWaypoint(record);
    if (source == WaypointSource::kNone) continue;
    SetWaypointDate(record, source, host, clock);
    WriteWaypointPlacemark(stream, record, placemark_counter,
                           host.IconFileName(ChooseIcon(record, source)), host.ShowHeight(), host);
    ++placemark_counter;
  }
  stream.Write("</Folder>\n");
  return placemark_counter;
}

}  // namespace

std::int32_t WriteOutputPhase(DocumentStream& stream, EpochList& epochs, RunHost& host,
                              const Clock& clock) {
  host.SetLeftStatus("");
  host.SetLeftStatus("Creation of KML-file");
  const std::int32_t placemark_count = WriteWaypointsFolder(stream, epochs, host, clock);
  host.SetRightStatus("");
  host.SetRightStatus("Waypoints " + FormatDecimal(placemark_count));
  WriteNormalTrack(stream, epochs, "NormalTrack");
  if (host.UseAllWaypoints()) {
    WriteLineStyle(stream, host.TrackWidthText(), host.TrackColour(), "IncorrectTrack", host);
    WriteIncorrectTrack(stream, epochs, "IncorrectTrack");
  }
  WriteDocumentClosing(stream);
  return placemark_count;
}

}  // namespace trackmint
