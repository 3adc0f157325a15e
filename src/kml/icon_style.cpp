#include "kml/icon_style.h"

#include "kml/xml_text.h"

namespace trackmint {

void WriteIconStyle(DocumentStream& stream, std::string_view scale_text, double heading,
                    std::string_view icon_file_name) {
  stream.Write("<Style>\n");
  stream.Write("<IconStyle>\n");
  stream.Write("<scale>");
  WriteXmlText(stream, scale_text, XmlTextPlace::kElementContent);
  stream.Write("</scale>\n");
  stream.Write("<heading>");
  stream.WriteFixed(heading, 6);
  stream.Write("</heading>\n");
  stream.Write("<Icon>\n");
  stream.Write("<href>");
  stream.Write(icon_file_name);
  stream.Write("</href>\n");
  stream.Write("</Icon>\n");
  stream.Write("</IconStyle>\n");
  stream.Write("</Style>\n");
}

}  // namespace trackmint
