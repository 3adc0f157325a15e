#include "kml/track_placemarks.h"

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

void WriteVertex(DocumentStream& stream, const waypoints& record) {
  stream.WriteFixed(record.longitude, 6);
  stream.Write(',');
  stream.WriteFixed(record.latitude, 6);
  stream.Write(',');
  stream.WriteFixed(record.altitude, 6);
  stream.Write('\n');
}

}  // namespace

bool IsValidTrackEpoch(const waypoints& record) {
  if (record.gga_flag == 1 && record.rmc_flag == 1) return record.rmc_status == 'A';
  if (record.gga_flag == 1 && record.rmc_flag == 0) return record.gga_fix_quality != 0;
  if (record.gga_flag == 0 && record.rmc_flag == 1) return record.rmc_status == 'A';
  return false;
}

void WriteNormalTrack(DocumentStream& stream, const EpochList& epochs, std::string_view name) {
  if (epochs.empty()) return;
  stream.Write("<Placemark>\n");
  WriteLineStringOpening(stream, name);
  for (const waypoints& record : epochs) {
    if (IsValidTrackEpoch(record)) WriteVertex(stream, record);
  }
  WriteLineStringClosing(stream);
}

void WriteIncorrectTrack(DocumentStream& stream, const EpochList& epochs, std::string_view name) {
  // The line end inside the opening tag is this track's own layout; the name follows the ">".
  stream.Write("<Placemark\n>");
  WriteLineStringOpening(stream, name);
  for (const waypoints& record : epochs) {
    stream.Write('\t');
    WriteVertex(stream, record);
  }
  WriteLineStringClosing(stream);
}

}  // namespace trackmint
