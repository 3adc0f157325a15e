#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/clock.h"
#include "kml/conversion_settings.h"
#include "kml/document_stream.h"
#include "kml/document_summary.h"
#include "kml/track_placemarks.h"
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
  // One final epoch: its placemark when it has a usable fix (its date set first: the fixed date,
  // or the clock's date for an epoch with a GGA fix alone), and its vertex.
  void AddEpoch(waypoints& record);
  // Closes the folder and returns the number of waypoint placemarks.
  std::int32_t EndWaypoints();
  // The track lines and the closing lines.
  void WriteTracksAndClosing();

  // What the document holds so far.
  DocumentSummary Summary() const;

 private:
  DocumentStream& m_stream;
  const ConversionSettings& m_settings;
  IconFileNames m_icon_file_names;
  const Clock& m_clock;
  TrackVertices m_vertices;
  DocumentSummary m_summary;
};

}  // namespace trackmint
