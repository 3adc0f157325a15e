#include "kml/track_placemarks.h"

#include <cmath>
#include <stdexcept>

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

template <typename Vertex>
void WriteVertex(DocumentStream& stream, const Vertex& vertex) {
  WriteCoordinates(stream, vertex.longitude, vertex.latitude, vertex.altitude);
  stream.Write('\n');
}

}  // namespace

bool IsValidTrackEpoch(const waypoints& record) {
  if (record.gga_flag == 1 && record.rmc_flag == 1) return record.rmc_status == 'A';
  if (record.gga_flag == 1 && record.rmc_flag == 0) return record.gga_fix_quality != 0;
  if (record.gga_flag == 0 && record.rmc_flag == 1) return record.rmc_status == 'A';
  return false;
}

void TrackVertices::Add(const waypoints& record) {
  ++m_epoch_count;
  const bool valid = IsValidTrackEpoch(record);
  const Vertex vertex{record.longitude, record.latitude, record.altitude};
  if (valid) {
    if (m_last_valid) {
      const double step = GreatCircleMetres(m_last_valid->latitude, m_last_valid->longitude,
                                            vertex.latitude, vertex.longitude);
      // Coordinates that held no number (nan, inf) add no length.
      if (std::isfinite(step)) m_valid_track_metres += step;
    }
    m_last_valid = vertex;
  }
  if (!valid && !m_keep_every_epoch) return;
  m_vertices.push_back(vertex);
  if (m_keep_every_epoch) m_valid.push_back(valid);
}

void WriteNormalTrack(DocumentStream& stream, const TrackVertices& vertices,
                      std::string_view name) {
  if (vertices.m_epoch_count == 0) return;
  stream.Write("<Placemark>\n");
  WriteLineStringOpening(stream, name);
  for (std::size_t i = 0; i < vertices.m_vertices.size(); ++i) {
    if (!vertices.m_keep_every_epoch || vertices.m_valid[i]) {
      WriteVertex(stream, vertices.m_vertices[i]);
    }
  }
  WriteLineStringClosing(stream);
}

void WriteIncorrectTrack(DocumentStream& stream, const TrackVertices& vertices,
                         std::string_view name) {
  if (!vertices.m_keep_every_epoch) throw std::logic_error("the vertices of every epoch are gone");
  // The line end inside the opening tag is this track's own layout; the name follows the ">".
  stream.Write("<Placemark\n>");
  WriteLineStringOpening(stream, name);
  for (const auto& vertex : vertices.m_vertices) {
    stream.Write('\t');
    WriteVertex(stream, vertex);
  }
  WriteLineStringClosing(stream);
}

}  // namespace trackmint
