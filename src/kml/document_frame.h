#pragma once

#include "kml/document_stream.h"

namespace trackmint {

// The document's first lines, "<kml>" in the KML 2.2 namespace and "<Document>", which the run
// writes before the input.
void WriteDocumentOpening(DocumentStream& stream);

// The document's last lines; "</kml>" ends the file without a line end.
void WriteDocumentClosing(DocumentStream& stream);

}  // namespace trackmint
