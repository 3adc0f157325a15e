#include "kml/document_frame.h"

namespace trackmint {

void WriteDocumentOpening(DocumentStream& stream) {
  stream.Write("<kml>\n");
  stream.Write("<Document>\n");
}

void WriteDocumentClosing(DocumentStream& stream) {
  stream.Write("</Document>\n");
  stream.Write("</kml>");
}

}  // namespace trackmint
