#include "kml/document_frame.h"

namespace trackmint {

void WriteDocumentOpening(DocumentStream& stream) {
  // Viewers that follow KML 2.2 strictly drop a document whose root is not in the OGC namespace.
  stream.Write("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n");
  stream.Write("<Document>\n");
}

void WriteDocumentClosing(DocumentStream& stream) {
  stream.Write("</Document>\n");
  stream.Write("</kml>");
}

}  // namespace trackmint
