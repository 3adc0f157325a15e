#include "kml/waypoint_placemark.h"

#include "kml/coordinates.h"
#include "kml/fix_status_text.h"
#include "kml/icon_style.h"
#include "kml/satellites_table.h"
#include "kml/time_stamp.h"
#include "kml/xml_text.h"

namespace trackmint {
namespace {

// One row of the description's fix table: "\t<tr><th>name</th><td>" value unit "</td></tr>\n".
void WriteRowStart(DocumentStream& stream, std::string_view name) {
  stream.Write("\t<tr><th>");
  stream.Write(name);
  stream.Write("</th><td>");
}

void WriteRowEnd(DocumentStream& stream, std::string_view unit = {}) {
  stream.Write(unit);
  stream.Write("</td></tr>\n");
}

void WriteFixedRow(DocumentStream& stream, std::string_view name, double value, int decimals,
                   std::string_view unit = {}) {
  WriteRowStart(stream, name);
  stream.WriteFixed(value, decimals);
  WriteRowEnd(stream, unit);
}

void WriteDescription(DocumentStream& stream, const waypoints& record, std::int32_t number) {
  stream.Write("<description><![CDATA[\n");
  stream.Write("\t<table>\n");
  WriteRowStart(stream, "NN");
  stream.WriteDecimal(number);
  WriteRowEnd(stream);
  WriteFixedRow(stream, "Longitude", record.longitude, 6);
  WriteFixedRow(stream, "Latitude", record.latitude, 6);
  WriteFixedRow(stream, "Altitude", record.altitude, 3, "m");
  // The date shows where it came from: "^" marks the fixed date, "*" the clock's.
  WriteRowStart(stream, "Time");
  WriteXmlText(stream, record.date_text, XmlTextPlace::CData);
  if (record.date_source == DateSource::Fixed) stream.Write('^');
  if (record.date_source == DateSource::Clock) stream.Write('*');
  stream.Write('T');
  WriteXmlText(stream, record.time_text, XmlTextPlace::CData);
  WriteRowEnd(stream, "Z");
  WriteFixedRow(stream, "Speed", record.speed, 1, "kmh");
  WriteFixedRow(stream, "COG", record.course_over_ground, 1);
  WriteFixedRow(stream, "RMS", record.rms_error, 1, "m");
  WriteRowStart(stream, "Status(GGA)");
  WriteGgaStatusText(stream, record);
  WriteRowEnd(stream);
  WriteFixedRow(stream, "Diff age", record.differential_age, 2);
  WriteRowStart(stream, "Status(GSA)");
  WriteGsaStatusText(stream, record.gsa_fix_type);
  WriteRowEnd(stream);
  WriteFixedRow(stream, "HDOP", record.hdop, 3);
  WriteRowStart(stream, "SAT");
  stream.WriteDecimal(record.satellites_in_use);
  WriteRowEnd(stream);
  stream.Write("\t</table>\n");
  if (record.gsv_seen == 1) WriteSatellitesTable(stream, record);
  stream.Write("]]></description>\n");
}

void WriteLookAt(DocumentStream& stream, const waypoints& record) {
  stream.Write("<LookAt>\n");
  stream.Write("<longitude>");
  stream.WriteFixed(record.longitude, 6);
  stream.Write("</longitude>\n");
  stream.Write("<latitude>");
  stream.WriteFixed(record.latitude, 6);
  stream.Write("</latitude>\n");
  stream.Write("<tilt>66</tilt>\n");
  stream.Write("</LookAt>\n");
}

void WritePoint(DocumentStream& stream, const waypoints& record, bool show_height) {
  stream.Write("<Point>\n");
  if (show_height) {
    stream.Write("<extrude>1</extrude>\n");
    stream.Write("<altitudeMode>relativeToGround</altitudeMode>\n");
  }
  // The altitude is always in the coordinates; without the two lines the viewer's default
  // altitude mode applies.
  stream.Write("<coordinates>");
  WriteCoordinates(stream, record.longitude, record.latitude, record.altitude);
  stream.Write("</coordinates>\n");
  stream.Write("</Point>\n");
}

}  // namespace

void WriteWaypointPlacemark(DocumentStream& stream, const waypoints& record, std::int32_t number,
                            std::string_view icon_file_name, std::string_view icon_scale_text,
                            bool show_height) {
  stream.Write("<Placemark>\n");
  WriteDescription(stream, record, number);
  WriteLookAt(stream, record);
  WriteTimeStamp(stream, record.date_text, record.time_text);
  WriteIconStyle(stream, icon_scale_text, record.course_over_ground, icon_file_name);
  WritePoint(stream, record, show_height);
  stream.Write("</Placemark>\n");
}

}  // namespace trackmint
