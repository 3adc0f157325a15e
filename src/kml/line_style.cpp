#include "kml/line_style.h"

#include "kml/kml_colour.h"
#include "kml/xml_text.h"

namespace trackmint {

void WriteLineStyle(DocumentStream& stream, std::string_view width_text, WindowColour colour,
                    std::string_view style_id) {
  stream.Write("<Style id=\"");
  stream.Write(style_id);
  stream.Write("\">\n");
  stream.Write("<LineStyle>\n");
  stream.Write("<color>");
  stream.Write(KmlColourText(colour));
  stream.Write("</color>\n");
  stream.Write("<width>");
  WriteXmlText(stream, width_text, XmlTextPlace::ElementContent);
  stream.Write("</width>\n");
  stream.Write("</LineStyle>\n");
  stream.Write("</Style>\n");
}

}  // namespace trackmint
