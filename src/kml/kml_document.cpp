#include "kml/kml_document.h"

#include <algorithm>
#include <cmath>

#include "base/calendar_date.h"
#include "kml/document_frame.h"
#include "kml/line_style.h"
#include "kml/waypoint_placemark.h"
#include "kml/waypoint_selection.h"

namespace trackmint {
namespace {

constexpr const char* kNormalTrack = "NormalTrack";
constexpr const char* kIncorrectTrack = "IncorrectTrack";

// The date an epoch shows: the fixed date for an epoch with a GGA fix; a GGA-only epoch without it
// has no date of its own and takes today's. RMC-only epochs keep theirs.
void SetWaypointDate(waypoints& record, WaypointSource source, const ConversionSettings& settings,
                     const Clock& clock) {
  if (source == WaypointSource::RmcOnly) return;
  if (settings.use_fixed_date) {
    record.date_text = settings.fixed_date_text;
    record.date_source = DateSource::Fixed;
  } else if (source == WaypointSource::GgaOnly) {
    record.date_text = ClockDateText(clock);
    record.date_source = DateSource::Clock;
  }
}

}  // namespace

KmlDocument::KmlDocument(DocumentStream& stream, const ConversionSettings& settings,
                         IconFileNames icon_file_names, const Clock& clock)
    : m_stream(stream),
      m_settings(settings),
      m_icon_file_names(std::move(icon_file_names)),
      m_clock(clock),
      m_vertices(settings.use_all_waypoints) {}

void KmlDocument::WriteOpening() {
  WriteDocumentOpening(m_stream);
}

void KmlDocument::WriteNormalTrackStyle() {
  WriteLineStyle(m_stream, m_settings.track_width_text, m_settings.track_colour, kNormalTrack);
}

void KmlDocument::BeginWaypoints() {
  m_stream.Write("<Folder>\n");
  m_stream.Write("<name>WayPoints</name>\n");
}

void KmlDocument::AddEpoch(waypoints& record) {
  const WaypointSource source = SelectWaypoint(record);
  if (source != WaypointSource::None) {
    // The receiver's own date, before the fixed or the clock's date takes its place.
    PlacemarkTime moment{
        record.date_source == DateSource::Receiver && IsCalendarDate(record.date_text)
            ? record.date_text
            : std::string(),
        record.time_text};
    SetWaypointDate(record, source, m_settings, m_clock);
    const IconSlot icon = ChooseIcon(record, source);
    WriteWaypointPlacemark(m_stream, record, m_summary.placemarks,
                           m_icon_file_names[static_cast<std::size_t>(icon)],
                           m_settings.icon_scale_text, m_settings.show_height);
    ++m_summary.placemarks;
    ++m_summary.placemarks_by_class[static_cast<std::size_t>(icon)];
    if (!m_summary.first) m_summary.first = moment;
    m_summary.last = std::move(moment);
    // A speed field that held no number the log meant (nan, inf) counts for nothing.
    if (std::isfinite(record.speed)) {
      m_summary.max_speed_kmh = std::max(m_summary.max_speed_kmh, record.speed);
    }
  }
  m_vertices.Add(record);
}

std::int32_t KmlDocument::EndWaypoints() {
  m_stream.Write("</Folder>\n");
  return m_summary.placemarks;
}

DocumentSummary KmlDocument::Summary() const {
  DocumentSummary summary = m_summary;
  summary.epochs = m_vertices.EpochCount();
  summary.track_metres = m_vertices.ValidTrackMetres();
  return summary;
}

void KmlDocument::WriteTracksAndClosing() {
  WriteNormalTrack(m_stream, m_vertices, kNormalTrack);
  if (m_vertices.KeepsEveryEpoch()) {
    WriteLineStyle(m_stream, m_settings.track_width_text, m_settings.track_colour, kIncorrectTrack);
    WriteIncorrectTrack(m_stream, m_vertices, kIncorrectTrack);
  }
  WriteDocumentClosing(m_stream);
}

}  // namespace trackmint
