#include "kml/kml_document.h"

#include <algorithm>
#include <cmath>

#include "base/calendar_date.h"
#include "base/time_window.h"
#include "kml/document_frame.h"
#include "kml/line_style.h"
#include "kml/waypoint_placemark.h"
#include "kml/waypoint_selection.h"

namespace trackmint {
namespace {

constexpr const char* kNormalTrack = "NormalTrack";
constexpr const char* kIncorrectTrack = "IncorrectTrack";

// A time of day more than half a day before the one before it has passed midnight.
constexpr std::int32_t kHalfDayMs = kMillisecondsPerDay / 2;

// The receiver's own date of an epoch as a day number; the clock's date and an empty one are none.
std::optional<std::int64_t> ReceiverDay(const waypoints& record) {
  if (record.date_source != DateSource::Receiver) return std::nullopt;
  return DayNumber(record.date_text);
}

}  // namespace

KmlDocument::KmlDocument(DocumentStream& stream, const ConversionSettings& settings,
                         IconFileNames icon_file_names, const Clock& clock)
    : m_stream(stream),
      m_settings(settings),
      m_icon_file_names(std::move(icon_file_names)),
      m_clock(clock),
      m_vertices(settings.use_all_waypoints),
      m_thinning(settings.arrow_interval_ms) {
  m_summary.time_window = settings.time_window.HasBound();
  m_summary.arrow_interval = settings.arrow_interval_ms > 0;
}

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
  ++m_summary.epochs;
  // The window is decided on the receiver's date, before the fixed or the clock's date replaces it.
  TrackVertexFacts facts;
  facts.receiver_day = ReceiverDay(record);
  facts.time_of_day_ms = TimeOfDayMilliseconds(record.time_text);
  const std::optional<std::int32_t> time_of_day = facts.time_of_day_ms;
  if (!m_settings.time_window.Contains(facts.receiver_day, time_of_day)) {
    ++m_summary.epochs_outside_window;
    return;
  }
  if (time_of_day) {
    if (m_last_time_of_day && *time_of_day < *m_last_time_of_day - kHalfDayMs) ++m_days_passed;
    m_last_time_of_day = time_of_day;
  }
  // Every epoch of the valid track is one the output phase selects, so its vertex has its icon.
  const WaypointSource source = SelectWaypoint(record);
  if (source != WaypointSource::None) {
    facts.icon = ChooseIcon(record, source);
    if (m_thinning.Keep(facts.icon, time_of_day)) {
      WritePlacemark(record, source, facts.icon);
    } else {
      ++m_summary.placemarks_thinned;
    }
  }
  m_vertices.Add(record, facts);
}

// The date an epoch shows: the fixed date for an epoch with a GGA fix; a GGA-only epoch without it
// has no date of its own and takes today's. RMC-only epochs keep theirs. A date put in place of
// the receiver's goes on by a day at each midnight that the log has passed, so that the time
// stamps never run back.
void KmlDocument::SetWaypointDate(waypoints& record, WaypointSource source) {
  if (source == WaypointSource::RmcOnly) return;
  if (m_settings.use_fixed_date) {
    const std::string fixed_date = DateAfter(m_settings.fixed_date_text, m_days_passed);
    if (record.date_source == DateSource::Receiver && IsCalendarDate(record.date_text) &&
        record.date_text != fixed_date) {
      NoteReplacedDate(record.date_text);
    }
    record.date_text = fixed_date;
    record.date_source = DateSource::Fixed;
  } else if (source == WaypointSource::GgaOnly) {
    record.date_text = DateAfter(ClockDateText(m_clock), m_days_passed);
    record.date_source = DateSource::Clock;
  }
}

void KmlDocument::NoteReplacedDate(const std::string& receiver_date) {
  ++m_summary.receiver_dates_replaced;
  // Dates "yyyy-mm-dd" sort as texts.
  if (m_summary.first_replaced_date.empty() || receiver_date < m_summary.first_replaced_date) {
    m_summary.first_replaced_date = receiver_date;
  }
  if (receiver_date > m_summary.last_replaced_date) m_summary.last_replaced_date = receiver_date;
}

void KmlDocument::WritePlacemark(waypoints& record, WaypointSource source, IconSlot icon) {
  // The receiver's own date, before the fixed or the clock's date takes its place.
  PlacemarkTime moment{ReceiverDay(record) ? record.date_text : std::string(), record.time_text};
  SetWaypointDate(record, source);
  WriteWaypointPlacemark(m_stream, record, m_summary.placemarks,
                         m_icon_file_names[static_cast<std::size_t>(icon)],
                         m_settings.icon_scale_text, m_settings.show_height);
  if (m_table != nullptr) m_table->AddPlacemark(record, icon);
  ++m_summary.placemarks;
  ++m_summary.placemarks_by_class[static_cast<std::size_t>(icon)];
  if (!m_summary.first) m_summary.first = moment;
  m_summary.last = std::move(moment);
  // A speed field that held no number the log meant (nan, inf) counts for nothing.
  if (std::isfinite(record.speed)) {
    m_summary.max_speed_kmh = std::max(m_summary.max_speed_kmh, record.speed);
  }
}

std::int32_t KmlDocument::EndWaypoints() {
  m_stream.Write("</Folder>\n");
  return m_summary.placemarks;
}

DocumentSummary KmlDocument::Summary() const {
  DocumentSummary summary = m_summary;
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
