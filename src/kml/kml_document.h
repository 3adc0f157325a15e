#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "base/clock.h"
#include "kml/arrow_thinning.h"
#include "kml/conversion_settings.h"
#include "kml/document_stream.h"
#include "kml/document_summary.h"
#include "kml/placemark_table.h"
#include "kml/track_placemarks.h"
#include "kml/waypoint_selection.h"
#include "nmea/fix_class.h"
#include "nmea/waypoints.h"

namespace trackmint {

// The KML document written as the epochs of a log become final, so that no epoch is kept once
// its placemark is written: the opening and the valid track's style, the WayPoints folder with one
// placemark per epoch with a usable fix, the valid track, with "Use all the waypoints" the track
// through every epoch, and the closing lines, with the settings the run was started with.
class KmlDocument {
 public:
  using IconFileNames = std::array<std::string, kIconSlotCount>;

  // The icon file names are those of the arrow icons the KMZ holds, by fix class. The settings
  // must outlive the document.
  KmlDocument(DocumentStream& stream, const ConversionSettings& settings,
              IconFileNames icon_file_names, const Clock& clock);

  // "<kml>" in the KML 2.2 namespace and "<Document>".
  void WriteOpening();
  // The shared line style of the valid track.
  void WriteNormalTrackStyle();
  // The opening of the WayPoints folder, before the first epoch.
  void BeginWaypoints();
  // One final epoch. Inside the time window it gets its placemark when it has a usable fix and the
  // arrow interval keeps it (its date set first: the fixed date, or the clock's date for an epoch
  // with a GGA fix alone), and its vertex; outside, the document holds nothing of it.
  void AddEpoch(waypoints& record);
  // Closes the folder and returns the number of waypoint placemarks.
  std::int32_t EndWaypoints();
  // The track lines and the closing lines.
  void WriteTracksAndClosing();

  // What the document holds so far.
  DocumentSummary Summary() const;

  // The valid track's vertices inside the time window, handed over once the tracks are written.
  std::deque<TrackVertex> TakeValidTrack() { return m_vertices.TakeValidTrack(); }

  // Each placemark written from now on also goes into the table as a row.
  void TablePlacemarksIn(PlacemarkTable& table) { m_table = &table; }

 private:
  void WritePlacemark(waypoints& record, WaypointSource source, IconSlot icon);
  void SetWaypointDate(waypoints& record, WaypointSource source);
  void NoteReplacedDate(const std::string& receiver_date);

  DocumentStream& m_stream;
  const ConversionSettings& m_settings;
  IconFileNames m_icon_file_names;
  const Clock& m_clock;
  TrackVertices m_vertices;
  ArrowThinning m_thinning;
  // The time of day of the last epoch inside the window that had one, and how many midnights the
  // log has passed since its first such epoch.
  std::optional<std::int32_t> m_last_time_of_day;
  std::int64_t m_days_passed = 0;
  DocumentSummary m_summary;
  PlacemarkTable* m_table = nullptr;
};

}  // namespace trackmint
