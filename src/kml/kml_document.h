#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/clock.h"
#include "base/window_colour.h"
#include "kml/document_stream.h"
#include "kml/document_summary.h"
#include "kml/fix_class.h"
#include "kml/track_placemarks.h"
#include "nmea/waypoints.h"
#include "settings/conversion_settings.h"

namespace trackmint {

// The KML document written as the epochs of a log become final, so that no epoch is kept once
// its placemark is written: the opening and the valid track's style, the WayPoints folder with one
// placemark per epoch with a usable fix, the valid track, with "Use all the waypoints" the track
// through every epoch, and the closing lines. Each setting is read at the moment it is needed.
class KmlDocument {
 public:
  using IconFileNames = std::array<std::string, kIconSlotCount>;

  // Whether every epoch's vertex is kept is read here, as the settings stay locked for the run.
  // The icon file names are those of the arrow icons the KMZ holds, by fix class.
  KmlDocument(DocumentStream& stream, const ConversionSettings& settings,
              const ColourResolver& resolver, IconFileNames icon_file_names, const Clock& clock);

  // "<kml>" in the KML 2.2 namespace and "<Document>".
  void WriteOpening();
  // The shared line style of the valid track.
  void WriteNormalTrackStyle();
  // The opening of the WayPoints folder, before the first epoch.
  void BeginWaypoints();
  // One final epoch: its placemark when it has a usable fix (its date text set first: the fixed
  // date with "^", or the clock's date with "*" for an epoch with a GGA fix alone), and its
  // vertex.
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
  const ColourResolver& m_resolver;
  IconFileNames m_icon_file_names;
  const Clock& m_clock;
  TrackVertices m_vertices;
  DocumentSummary m_summary;
};

}  // namespace trackmint
