#include "kml/satellites_table.h"

#include <string_view>

#include "kml/xml_text.h"

namespace trackmint {

void WriteSatellitesTable(DocumentStream& stream, const waypoints& record) {
  stream.Write("\t<table>\n");
  stream.Write(
      "<tfoot><tr><th colspan=5 align=center>Information about the satellites</th></tr></tfoot>\n");
  stream.Write(
      "\t<tr>\t<th>SYS</th>\t<th>Svn</th>\t<th>El</th>\t<th>Az</th>\t<th>SNR</th>\t</tr>\n");
  for (const SatelliteEntry& satellite : record.satellites) {
    if (satellite.in_view != 1) continue;
    stream.Write("\t<tr>\t<td>");
    // The letter is the parser's own; a stray byte must still not break the description.
    WriteXmlText(stream, std::string_view(&satellite.system_letter, 1), XmlTextPlace::kCData);
    stream.Write("</td>\t<td>");
    stream.WriteDecimal(satellite.satellite_number);
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
