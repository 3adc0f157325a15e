#include "kml/track_placemarks.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "base/great_circle.h"
#include "kml/coordinates.h"

namespace trackmint {
namespace {

void WriteLineStringOpening(DocumentStream& stream, std::string_view name) {
  stream.Write("<name>");
  stream.Write(name);
  stream.Write("</name>\n");
  stream.Write("<styleUrl>#");
  stream.Write(name);
  stream.Write("</styleUrl>\n");
  stream.Write("<LineString>\n");
  stream.Write("<tessellate>1</tessellate>\n");
  stream.Write("<coordinates>\n");
}

void WriteLineStringClosing(DocumentStream& stream) {
  stream.Write("</coordinates>\n");
  stream.Write("</LineString>\n");
  stream.Write("</Placemark>\n");
}

}  // namespace

bool IsValidTrackEpoch(const waypoints& record) {
  if (record.gga_flag == 1 && record.rmc_flag == 1) return record.rmc_status == 'A';
  if (record.gga_flag == 1 && record.rmc_flag == 0) return record.gga_fix_quality != 0;
  if (record.gga_flag == 0 && record.rmc_flag == 1) return record.rmc_status == 'A';
  return false;
}

void TrackVertices::Add(const waypoints& record, const TrackVertexFacts& facts) {
  ++m_epoch_count;
  if (m_keep_every_epoch) {
    m_every_epoch.push_back({record.longitude, record.latitude, record.altitude});
  }
  if (!IsValidTrackEpoch(record)) return;
  if (!m_valid_track.empty()) {
    const TrackVertex& last = m_valid_track.back();
    const double step =
        GreatCircleMetres(last.latitude, last.longitude, record.latitude, record.longitude);
    // Coordinates that held no number (nan, inf) add no length.
    if (std::isfinite(step)) m_valid_track_metres += step;
  }
  TrackVertex vertex;
  vertex.longitude = record.longitude;
  vertex.latitude = record.latitude;
  if (facts.time_of_day_ms) vertex.time_of_day_ms = *facts.time_of_day_ms;
  if (facts.receiver_day) vertex.day = TrackVertex::DayOf(*facts.receiver_day);
  vertex.slot = TrackVertex::SlotByte(facts.icon);
  vertex.satellites = TrackVertex::SatelliteByte(record.satellites_in_use);
  m_valid_track.push_back(vertex);
  m_valid_altitudes.push_back(record.altitude);
}

std::deque<TrackVertex> TrackVertices::TakeValidTrack() {
  m_valid_altitudes.clear();
  return std::exchange(m_valid_track, {});
}

void WriteNormalTrack(DocumentStream& stream, const TrackVertices& vertices,
                      std::string_view name) {
  if (vertices.m_epoch_count == 0) return;
  stream.Write("<Placemark>\n");
  WriteLineStringOpening(stream, name);
  for (std::size_t i = 0; i < vertices.m_valid_track.size(); ++i) {
    const TrackVertex& vertex = vertices.m_valid_track[i];
    WriteCoordinates(stream, vertex.longitude, vertex.latitude, vertices.m_valid_altitudes[i]);
    stream.Write('\n');
  }
  WriteLineStringClosing(stream);
}

void WriteIncorrectTrack(DocumentStream& stream, const TrackVertices& vertices,
                         std::string_view name) {
  if (!vertices.m_keep_every_epoch) throw std::logic_error("the vertices of every epoch are gone");
  // The line end inside the opening tag is this track's own layout; the name follows the ">".
  stream.Write("<Placemark\n>");
  WriteLineStringOpening(stream, name);
  for (const auto& position : vertices.m_every_epoch) {
    stream.Write('\t');
    WriteCoordinates(stream, position.longitude, position.latitude, position.altitude);
    stream.Write('\n');
  }
  WriteLineStringClosing(stream);
}

}  // namespace trackmint
