#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>

#include "kml/document_stream.h"
#include "nmea/fix_class.h"
#include "nmea/track_vertex.h"
#include "nmea/waypoints.h"

namespace trackmint {

// An epoch the receiver marked valid: both sentences with status "A", GGA alone with a fix, or
// RMC alone with status "A". Stricter than the waypoint selection: both sentences with status "V"
// make no vertex whatever the fix quality.
bool IsValidTrackEpoch(const waypoints& record);

// What the vertex of a valid epoch holds beyond the record: its icon, and the receiver's day and
// the time of day, as the document found them.
struct TrackVertexFacts {
  IconSlot icon = IconSlot::Grey;
  std::optional<std::int64_t> receiver_day;
  std::optional<std::int32_t> time_of_day_ms;
};

// What the track lines need of the epochs, kept while the rest of each epoch is written and
// forgotten: every valid epoch as a track vertex (its position, time, fix class and satellites,
// which the picture of the run draws too) with its altitude; the position of every epoch when
// the second track is wanted; and how many epochs there were.
class TrackVertices {
 public:
  explicit TrackVertices(bool keep_every_epoch) : m_keep_every_epoch(keep_every_epoch) {}

  void Add(const waypoints& record, const TrackVertexFacts& facts = {});

  std::uint64_t EpochCount() const { return m_epoch_count; }
  // The length of the valid track: great circles between consecutive valid epochs.
  double ValidTrackMetres() const { return m_valid_track_metres; }
  bool KeepsEveryEpoch() const { return m_keep_every_epoch; }

  // The valid track's vertices, handed over once the track lines are written.
  std::deque<TrackVertex> TakeValidTrack();

 private:
  friend void WriteNormalTrack(DocumentStream&, const TrackVertices&, std::string_view);
  friend void WriteIncorrectTrack(DocumentStream&, const TrackVertices&, std::string_view);

  struct Position {
    double longitude;
    double latitude;
    double altitude;
  };

  bool m_keep_every_epoch;
  std::uint64_t m_epoch_count = 0;
  double m_valid_track_metres = 0;
  // A deque grows by blocks, so a long log never copies what it holds or needs twice its memory.
  std::deque<TrackVertex> m_valid_track;
  std::deque<double> m_valid_altitudes;
  std::deque<Position> m_every_epoch;  // when every epoch is kept
};

// The valid track: one line through the valid epochs, in log order. The name is the placemark's
// name and its style reference. Without any epoch it writes nothing.
void WriteNormalTrack(DocumentStream& stream, const TrackVertices& vertices, std::string_view name);

// The second line through every epoch, valid or not; written even without any epoch. The
// vertices must have kept every epoch.
void WriteIncorrectTrack(DocumentStream& stream, const TrackVertices& vertices,
                         std::string_view name);

}  // namespace trackmint
