#include "kml/satellites_table.h"

#include "nmea/satellite_rows.h"

namespace trackmint {

void WriteSatellitesTable(DocumentStream& stream, const waypoints& record) {
  stream.Write("\t<table>\n");
  stream.Write(
      "<tfoot><tr><th colspan=5 align=center>Information about the satellites</th></tr></tfoot>\n");
  stream.Write(
      "\t<tr>\t<th>SYS</th>\t<th>Svn</th>\t<th>El</th>\t<th>Az</th>\t<th>SNR</th>\t</tr>\n");
  for (int row = 0; row < kSatelliteRowCount; ++row) {
    const SatelliteEntry& satellite = record.satellites[static_cast<std::size_t>(row)];
    if (satellite.in_view != 1) continue;
    const SatelliteId id = SatelliteOfRow(row);
    stream.Write("\t<tr>\t<td>");
    stream.Write(SystemLetter(id.system));
    stream.Write("</td>\t<td>");
    stream.WriteDecimal(id.number);
    if (satellite.used == 1) stream.Write('*');
    stream.Write("</td>\t<td>");
    stream.WriteDecimal(satellite.elevation);
    stream.Write("</td>\t<td>");
    stream.WriteDecimal(satellite.azimuth);
    stream.Write("</td>\t<td>");
    stream.WriteDecimal(satellite.snr);
    stream.Write("</td>\t</tr>\n");
  }
  stream.Write("\t</table>\n");
}

}  // namespace trackmint
