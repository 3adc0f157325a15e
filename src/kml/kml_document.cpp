#include "kml/kml_document.h"

#include "base/calendar_date.h"
#include "kml/document_frame.h"
#include "kml/line_style.h"
#include "kml/waypoint_placemark.h"
#include "kml/waypoint_selection.h"

namespace trackmint {
namespace {

constexpr const char* kNormalTrack = "NormalTrack";
constexpr const char* kIncorrectTrack = "IncorrectTrack";

// The date an epoch shows: the fixed date marked "^" for an epoch with a GGA fix; a GGA-only epoch
// without it has no date of its own and takes today's, marked "*". RMC-only epochs keep theirs.
void SetWaypointDate(waypoints& record, WaypointSource source,
                     const ConversionSettings& settings, const Clock& clock) {
  if (source == WaypointSource::RmcOnly) return;
  if (settings.UseFixedDate()) {
    record.date_text = settings.FixedDateText();
    record.date_text += '^';
  } else if (source == WaypointSource::GgaOnly) {
    record.date_text = ClockDateText(clock);
  }
}

}  // namespace

KmlDocument::KmlDocument(DocumentStream& stream, const ConversionSettings& settings,
                         const ColourResolver& resolver, IconFileNames icon_file_names,
                         const Clock& clock)
    : m_stream(stream),
      m_settings(settings),
      m_resolver(resolver),
      m_icon_file_names(std::move(icon_file_names)),
      m_clock(clock),
      m_vertices(settings.UseAllWaypoints()) {}

void KmlDocument::WriteOpening() {
  WriteDocumentOpening(m_stream);
}

void KmlDocument::WriteNormalTrackStyle() {
  WriteLineStyle(m_stream, m_settings.TrackWidthText(), m_settings.TrackColour(), kNormalTrack,
                 m_resolver);
}

void KmlDocument::BeginWaypoints() {
  m_stream.Write("<Folder>\n");
  m_stream.Write("<name>WayPoints</name>\n");
}

void KmlDocument::AddEpoch(waypoints& record) {
  const WaypointSource source = SelectWaypoint(record);
  if (source != WaypointSource::None) {
    SetWaypointDate(record, source, m_settings, m_clock);
    WriteWaypointPlacemark(m_stream, record, m_placemark_count,
                           m_icon_file_names[static_cast<std::size_t>(ChooseIcon(record, source))],
                           m_settings.IconScaleText(), m_settings.ShowHeight());
    ++m_placemark_count;
  }
  m_vertices.Add(record);
}

std::int32_t KmlDocument::EndWaypoints() {
  m_stream.Write("</Folder>\n");
  return m_placemark_count;
}

void KmlDocument::WriteTracksAndClosing() {
  WriteNormalTrack(m_stream, m_vertices, kNormalTrack);
  if (m_vertices.KeepsEveryEpoch()) {
    WriteLineStyle(m_stream, m_settings.TrackWidthText(), m_settings.TrackColour(),
                   kIncorrectTrack, m_resolver);
    WriteIncorrectTrack(m_stream, m_vertices, kIncorrectTrack);
  }
  WriteDocumentClosing(m_stream);
}

}  // namespace trackmint
