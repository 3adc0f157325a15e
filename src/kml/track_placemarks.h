#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

#include "kml/document_stream.h"
#include "nmea/waypoints.h"

namespace trackmint {

// An epoch the receiver marked valid: both sentences with status "A", GGA alone with a fix, or
// RMC alone with status "A". Stricter than the waypoint selection: both sentences with status "V"
// make no vertex whatever the fix quality.
bool IsValidTrackEpoch(const waypoints& record);

// What the track lines need of the epochs, kept while the rest of each epoch is written and
// forgotten: the position of every valid epoch, or of every epoch when the second track is
// wanted, and how many epochs there were.
class TrackVertices {
 public:
  explicit TrackVertices(bool keep_every_epoch) : m_keep_every_epoch(keep_every_epoch) {}

  void Add(const waypoints& record);

  std::uint64_t EpochCount() const { return m_epoch_count; }
  // The length of the valid track: great circles between consecutive valid epochs.
  double ValidTrackMetres() const { return m_valid_track_metres; }
  bool KeepsEveryEpoch() const { return m_keep_every_epoch; }

 private:
  friend void WriteNormalTrack(DocumentStream&, const TrackVertices&, std::string_view);
  friend void WriteIncorrectTrack(DocumentStream&, const TrackVertices&, std::string_view);

  struct Vertex {
    double longitude;
    double latitude;
    double altitude;
  };

  bool m_keep_every_epoch;
  std::uint64_t m_epoch_count = 0;
  double m_valid_track_metres = 0;
  std::optional<Vertex> m_last_valid;
  // A deque grows by blocks, so a long log never copies what it holds or needs twice its memory.
  std::deque<Vertex> m_vertices;
  std::vector<bool> m_valid;  // beside each vertex, when every epoch is kept
};

// The valid track: one line through the valid epochs, in log order. The name is the placemark's
// name and its style reference. Without any epoch it writes nothing.
void WriteNormalTrack(DocumentStream& stream, const TrackVertices& vertices, std::string_view name);

// The second line through every epoch, valid or not; written even without any epoch. The
// vertices must have kept every epoch.
void WriteIncorrectTrack(DocumentStream& stream, const TrackVertices& vertices,
                         std::string_view name);

}  // namespace trackmint
