#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/clock.h"
#include "design_settings.h"
#include "kml/conversion_settings.h"
#include "kml/document_stream.h"
#include "kml/kml_document.h"
#include "kml/track_placemarks.h"
#include "support/epoch_list.h"
#include "support/fixtures.h"

namespace trackmint::testing {

inline const FixedClock kConversionDay({2026, 12, 9, 14, 30, 0});

// An epoch list holding copies of the records, in order.
EpochList MakeEpochList(std::initializer_list<waypoints> records);

// What a document of the tests is written with: the window's design settings, and seven icons
// whose names say which they are.
struct DocumentSetup {
  ConversionSettings settings = DesignSettings();
  KmlDocument::IconFileNames icon_file_names = {"auto.png",     "diff.png",      "rtkfix.png",
                                                "rtkfloat.png", "estimated.png", "invalid.png",
                                                "grey.png"};
};

// The vertices the document keeps of the epochs.
TrackVertices VerticesOf(const EpochList& epochs, bool keep_every_epoch);

// Everything a writer put into a stream over a string. The stream has the smallest buffer, so
// every test also crosses buffer boundaries.
template <typename Write>
std::string WrittenText(Write write) {
  std::string text;
  DocumentStream stream(text, 0);
  write(stream);
  stream.Flush();
  return text;
}

// The body and the end of the document for the epochs, in the order the run hands them on: the
// WayPoints folder, the tracks and the closing lines. Returns the number of waypoint placemarks.
std::int32_t WriteEpochs(DocumentStream& stream, EpochList& epochs, const DocumentSetup& setup,
                         const Clock& clock = kConversionDay);

// The whole document as the run writes it: the opening, the NormalTrack style, then the epochs.
// The number of waypoint placemarks goes to placemarks when given.
std::string WholeDocument(EpochList& epochs, const DocumentSetup& setup,
                          const Clock& clock = kConversionDay, std::int32_t* placemarks = nullptr);

// The document read by libxml2: well-formed, or the parser's first complaint.
::testing::AssertionResult IsWellFormedXml(const std::string& text);

// What libxml2 finds in a well-formed document: the namespace of the root element (empty when it
// has none), the placemarks of the WayPoints folder with the text of each TimeStamp's "when" among
// them, and the vertex lines of the named track placemark (-1 when there is no such track).
struct DocumentCensus {
  std::string root_namespace;
  int waypoint_placemarks = -1;
  std::vector<std::string> waypoint_when_texts;
  int normal_track_vertices = -1;
  int incorrect_track_vertices = -1;
};
DocumentCensus CountInDocument(const std::string& text);

}  // namespace trackmint::testing
