#include "kml_test_support.h"

#include <string_view>

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace trackmint::testing {
namespace {

struct XmlDocumentFree {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using XmlDocument = std::unique_ptr<xmlDoc, XmlDocumentFree>;

XmlDocument ParseXml(const std::string& text) {
  return XmlDocument(xmlReadMemory(text.data(), static_cast<int>(text.size()), "document.kml",
                                   nullptr,
                                   XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

bool IsElement(const xmlNode* node, std::string_view name) {
  return node->type == XML_ELEMENT_NODE && name == reinterpret_cast<const char*>(node->name);
}

const xmlNode* Child(const xmlNode* parent, std::string_view name) {
  for (const xmlNode* node = parent->children; node != nullptr; node = node->next) {
    if (IsElement(node, name)) return node;
  }
  return nullptr;
}

std::string Content(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  return text;
}

int CountLinesWithText(const std::string& text) {
  int count = 0;
  bool has_text = false;
  for (const char c : text + "\n") {
    if (c == '\n') {
      count += has_text;
      has_text = false;
    } else if (c != '\t' && c != ' ' && c != '\r') {
      has_text = true;
    }
  }
  return count;
}

}  // namespace

EpochList MakeEpochList(std::initializer_list<waypoints> records) {
  EpochList epochs;
  for (const waypoints& record : records) epochs.push_back(record);
  return epochs;
}

TrackVertices VerticesOf(const EpochList& epochs, bool keep_every_epoch) {
  TrackVertices vertices(keep_every_epoch);
  for (const waypoints& record : epochs) vertices.Add(record);
  return vertices;
}

std::int32_t WriteEpochs(DocumentStream& stream, EpochList& epochs, const DocumentSetup& setup,
                         const Clock& clock) {
  KmlDocument document(stream, setup.settings, setup.icon_file_names, clock);
  document.BeginWaypoints();
  for (waypoints& record : epochs) document.AddEpoch(record);
  const std::int32_t placemarks = document.EndWaypoints();
  document.WriteTracksAndClosing();
  return placemarks;
}

std::string WholeDocument(EpochList& epochs, const DocumentSetup& setup, const Clock& clock,
                          std::int32_t* placemarks) {
  return WrittenText([&](DocumentStream& stream) {
    KmlDocument document(stream, setup.settings, setup.icon_file_names, clock);
    document.WriteOpening();
    document.WriteNormalTrackStyle();
    document.BeginWaypoints();
    for (waypoints& record : epochs) document.AddEpoch(record);
    const std::int32_t count = document.EndWaypoints();
    document.WriteTracksAndClosing();
    if (placemarks != nullptr) *placemarks = count;
  });
}

::testing::AssertionResult IsWellFormedXml(const std::string& text) {
  xmlResetLastError();
  if (ParseXml(text)) return ::testing::AssertionSuccess();
  const xmlError* error = xmlGetLastError();
  return ::testing::AssertionFailure()
         << "libxml2: " << (error != nullptr && error->message ? error->message : "no document\n")
         << "  at line " << (error != nullptr ? error->line : 0);
}

DocumentCensus CountInDocument(const std::string& text) {
  DocumentCensus census;
  const XmlDocument document = ParseXml(text);
  if (!document) return census;
  const xmlNode* root = xmlDocGetRootElement(document.get());
  if (root != nullptr && root->ns != nullptr && root->ns->href != nullptr) {
    census.root_namespace = reinterpret_cast<const char*>(root->ns->href);
  }
  const xmlNode* body = root != nullptr ? Child(root, "Document") : nullptr;
  if (body == nullptr) return census;
  for (const xmlNode* node = body->children; node != nullptr; node = node->next) {
    if (IsElement(node, "Folder")) {
      census.waypoint_placemarks = 0;
      for (const xmlNode* item = node->children; item != nullptr; item = item->next) {
        if (!IsElement(item, "Placemark")) continue;
        ++census.waypoint_placemarks;
        const xmlNode* time_stamp = Child(item, "TimeStamp");
        const xmlNode* when = time_stamp != nullptr ? Child(time_stamp, "when") : nullptr;
        if (when != nullptr) census.waypoint_when_texts.push_back(Content(when));
      }
    } else if (IsElement(node, "Placemark")) {
      const xmlNode* name = Child(node, "name");
      const xmlNode* line = Child(node, "LineString");
      const xmlNode* coordinates = line != nullptr ? Child(line, "coordinates") : nullptr;
      if (name == nullptr || coordinates == nullptr) continue;
      const int vertices = CountLinesWithText(Content(coordinates));
      if (Content(name) == "NormalTrack") census.normal_track_vertices = vertices;
      if (Content(name) == "IncorrectTrack") census.incorrect_track_vertices = vertices;
    }
  }
  return census;
}

}  // namespace trackmint::testing
