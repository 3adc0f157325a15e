#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/number_format.h"
#include "picture/picture_layout.h"
#include "picture/picture_parts.h"
#include "picture/round_numbers.h"
#include "picture/segment_path.h"
#include "picture/time_labels.h"

namespace trackmint {
namespace {

// Where the epochs stand along the strip: by time (milliseconds from the first epoch, step by
// step) when every epoch has a time, else by their number (from 0).
class TimelineAxis {
 public:
  TimelineAxis(const RunPicture& picture, const GapRule& gaps)
      : m_vertices(picture.vertices), m_gaps(gaps) {
    m_by_time = std::all_of(m_vertices.begin(), m_vertices.end(),
                            [](const TrackVertex& vertex) { return vertex.HasTime(); });
    if (m_by_time && !m_vertices.empty()) m_clock = EpochClock(m_vertices.front());
    bool first = true;
    ForEach([&](std::size_t, double position, bool) {
      m_low = first ? position : std::min(m_low, position);
      m_high = first ? position : std::max(m_high, position);
      first = false;
    });
    m_first = m_low;
    m_last = m_high;
    // A single moment gets a strip of two seconds (or epochs) about it.
    if (m_high == m_low) {
      m_low -= Unit();
      m_high += Unit();
    }
  }

  bool ByTime() const { return m_by_time; }
  const EpochClock& Clock() const { return m_clock; }
  // One second, or one epoch.
  double Unit() const { return m_by_time ? 1000 : 1; }
  // Half the usual step: how far an epoch's band reaches where no neighbour is near.
  double HalfStep() const {
    if (!m_by_time) return 0.5;
    return m_gaps.MedianStep() ? static_cast<double>(*m_gaps.MedianStep()) / 2 : 500;
  }
  // The earliest and latest epoch's positions, equal for a single moment.
  double First() const { return m_first; }
  double Last() const { return m_last; }
  double X(double position) const {
    return kTimelineRect.x + (position - m_low) / (m_high - m_low) * kTimelineRect.width;
  }

  // Visits each epoch with its index, its position and whether the record runs on to it from the
  // one before (no gap between).
  template <typename Visit>
  void ForEach(Visit visit) const {
    double position = 0;
    for (std::size_t i = 0; i < m_vertices.size(); ++i) {
      bool linked = i > 0;
      if (m_by_time && i > 0) {
        const std::optional<std::int64_t> step = StepMilliseconds(m_vertices[i - 1], m_vertices[i]);
        linked = !m_gaps.IsGap(step);
        position += static_cast<double>(*step);
      } else if (i > 0) {
        position += 1;
      }
      visit(i, position, linked);
    }
  }

 private:
  const std::deque<TrackVertex>& m_vertices;
  const GapRule& m_gaps;
  bool m_by_time = false;
  EpochClock m_clock;
  double m_low = 0;
  double m_high = 0;
  double m_first = 0;
  double m_last = 0;
};

// The band's colour in each pixel column of the strip: consecutive epochs of one class without a
// gap between make one band, which takes whole columns (at least one), a later band over an
// earlier one. Filled without antialiasing, so that neighbouring bands do not blend, and column
// by column once all are known, so that a long log does not fill a band for each epoch.
class BandColumns {
 public:
  explicit BandColumns(const TimelineAxis& axis)
      : m_axis(axis), m_columns(static_cast<std::size_t>(kTimelineRect.width)) {}

  void Add(double left, double right, WindowColour colour, bool linked) {
    if (m_open && linked && colour == m_colour) {
      m_right = right;
      return;
    }
    Close();
    m_open = true;
    m_left = left;
    m_right = right;
    m_colour = colour;
  }

  void Fill(const Canvas& canvas) {
    Close();
    cairo_t* cairo = canvas.Cairo();
    cairo_save(cairo);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    for (std::size_t first = 0; first < m_columns.size();) {
      std::size_t end = first + 1;
      while (end < m_columns.size() && m_columns[end] == m_columns[first]) ++end;
      if (m_columns[first]) {
        canvas.SetColour(*m_columns[first]);
        cairo_rectangle(cairo, kTimelineRect.x + static_cast<double>(first), kTimelineRect.y,
                        static_cast<double>(end - first), kTimelineBandHeight);
        cairo_fill(cairo);
      }
      first = end;
    }
    cairo_restore(cairo);
  }

 private:
  void Close() {
    if (!m_open) return;
    m_open = false;
    const double width = kTimelineRect.width;
    const double x0 = std::clamp(std::round(m_axis.X(m_left) - kTimelineRect.x), 0.0, width - 1);
    const double x1 = std::clamp(std::round(m_axis.X(m_right) - kTimelineRect.x), x0 + 1, width);
    for (auto column = static_cast<std::size_t>(x0); column < static_cast<std::size_t>(x1);
         ++column) {
      m_columns[column] = m_colour;
    }
  }

  const TimelineAxis& m_axis;
  std::vector<std::optional<WindowColour>> m_columns;
  bool m_open = false;
  double m_left = 0;
  double m_right = 0;
  WindowColour m_colour = 0;
};

// A line over the strip that may have many points to a pixel column: of the points in one column
// only the first, the highest, the lowest and the last are drawn, which covers what all would.
// A run of points that draws no segment (one point alone between gaps) is a dot.
class ColumnLine {
 public:
  explicit ColumnLine(SegmentPath& path) : m_path(path) {}

  // A point, joined to the one before unless the record breaks between them.
  void Add(PixelPoint point, bool linked) {
    if (!linked) EndRun();
    const double column = std::floor(point.x);
    if (m_open && column == m_column) {
      if (point.y < m_top.y) m_top = point;
      if (point.y > m_bottom.y) m_bottom = point;
      m_last = point;
      return;
    }
    Flush();
    m_open = true;
    m_column = column;
    m_first = m_top = m_bottom = m_last = point;
  }

  void Finish() { EndRun(); }

 private:
  void Flush() {
    if (!m_open) return;
    m_open = false;
    for (const PixelPoint point : {m_first, m_top, m_bottom, m_last}) Emit(point);
  }

  void Emit(PixelPoint point) {
    if (m_emitted && *m_emitted == point) return;
    if (m_emitted) {
      m_path.Add(*m_emitted, point, kSatelliteLineColour);
      m_drew = true;
    }
    m_emitted = point;
  }

  void EndRun() {
    Flush();
    if (m_emitted && !m_drew)
      m_path.AddDot(*m_emitted, kSatelliteLineColour, kLoneSatelliteDiameter);
    m_emitted.reset();
    m_drew = false;
  }

  SegmentPath& m_path;
  bool m_open = false;  // a column's points are being gathered
  double m_column = 0;
  PixelPoint m_first{0, 0};
  PixelPoint m_top{0, 0};
  PixelPoint m_bottom{0, 0};
  PixelPoint m_last{0, 0};
  std::optional<PixelPoint> m_emitted;  // the last point given to the path in this run
  bool m_drew = false;                  // this run has drawn a segment
};

// Each epoch's band reaches half way to its neighbours, or half the usual step where the record
// breaks or ends.
void DrawBands(const Canvas& canvas, const RunPicture& picture, const TimelineAxis& axis) {
  BandColumns bands(axis);
  const double half = axis.HalfStep();
  // The epoch before, whose band's right end waits for the next epoch.
  double previous_position = 0;
  double previous_left = 0;
  WindowColour previous_colour = 0;
  bool previous_linked = false;
  axis.ForEach([&](std::size_t i, double position, bool linked) {
    const double middle = (previous_position + position) / 2;
    if (i > 0) {
      bands.Add(previous_left, linked ? middle : previous_position + half, previous_colour,
                previous_linked);
    }
    previous_left = linked ? middle : position - half;
    previous_position = position;
    previous_colour = SlotColour(picture, picture.vertices[i].slot);
    previous_linked = linked;
  });
  if (!picture.vertices.empty()) {
    bands.Add(previous_left, previous_position + half, previous_colour, previous_linked);
  }
  bands.Fill(canvas);
}

// The satellites used: their axis from 0 to a round number at least the highest count, a grid
// line at each step, and the counts as a line broken where the record breaks.
void DrawSatellites(const Canvas& canvas, const RunPicture& picture, const TimelineAxis& axis) {
  cairo_t* cairo = canvas.Cairo();
  int highest = 0;
  for (const TrackVertex& vertex : picture.vertices)
    highest = std::max<int>(highest, vertex.satellites);
  const double step = highest <= 4 ? 1 : RoundLengthAtLeast(highest / 4.0);
  const double top = std::max(step, std::ceil(highest / step) * step);
  const auto y_of = [&](double count) {
    return kSatelliteZeroY - count / top * (kSatelliteZeroY - kSatelliteTopY);
  };
  canvas.SetFont(kSmallFontSize);
  cairo_set_line_width(cairo, 1);
  for (double count = 0; count <= top; count += step) {
    const double y = std::round(y_of(count)) + 0.5;
    canvas.SetColour(count == 0 ? kAxisColour : kGridColour);
    cairo_move_to(cairo, kSatellitePlotRect.x, y);
    cairo_line_to(cairo, kSatellitePlotRect.Right(), y);
    cairo_stroke(cairo);
    canvas.SetColour(kTextColour);
    canvas.DrawText(kSatelliteAxisLabelRight, y + 4, FormatFixed(count, 0), TextAlign::Right);
  }
  canvas.SetColour(kAxisColour);
  cairo_move_to(cairo, kSatellitePlotRect.x - 0.5, kSatellitePlotRect.y);
  cairo_line_to(cairo, kSatellitePlotRect.x - 0.5, kSatellitePlotRect.Bottom());
  cairo_stroke(cairo);

  cairo_set_line_width(cairo, kSatelliteLineWidth);
  cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
  SegmentPath path(canvas);
  ColumnLine line(path);
  axis.ForEach([&](std::size_t i, double position, bool linked) {
    line.Add({axis.X(position), y_of(picture.vertices[i].satellites)}, linked);
  });
  line.Finish();
  path.Stroke();
}

// The labels under the strip: the first and the last epoch at its ends, round times (or epoch
// numbers) between where they leave room.
void DrawTimeLabels(const Canvas& canvas, const TimelineAxis& axis) {
  cairo_t* cairo = canvas.Cairo();
  canvas.SetFont(kSmallFontSize);
  canvas.SetColour(kTextColour);
  const AxisLabels labels = axis.ByTime() ? TimeAxisLabels(axis.Clock(), axis.First(), axis.Last())
                                          : EpochAxisLabels(axis.First(), axis.Last());
  struct Placed {
    double left;
    double right;
  };
  std::vector<Placed> placed;
  const auto place = [&](double left, double width) { placed.push_back({left, left + width}); };
  const auto free = [&](double left, double width) {
    return std::none_of(placed.begin(), placed.end(), [&](const Placed& other) {
      return left < other.right + 10 && left + width > other.left - 10;
    });
  };
  const auto mark = [&](double x) {
    canvas.SetColour(kAxisColour);
    cairo_set_line_width(cairo, 1);
    cairo_move_to(cairo, std::round(x) + 0.5, kTimelineRect.Bottom());
    cairo_line_to(cairo, std::round(x) + 0.5, kTimelineRect.Bottom() + 4);
    cairo_stroke(cairo);
    canvas.SetColour(kTextColour);
  };
  if (axis.First() == axis.Last()) {
    const double x = axis.X(axis.First());
    mark(x);
    canvas.DrawText(x, kTimeLabelBaseline, labels.first, TextAlign::Centre);
    return;
  }
  const double first_width = canvas.TextWidth(labels.first);
  const double last_width = canvas.TextWidth(labels.last);
  canvas.DrawText(kTimelineRect.x, kTimeLabelBaseline, labels.first);
  canvas.DrawText(kTimelineRect.Right(), kTimeLabelBaseline, labels.last, TextAlign::Right);
  place(kTimelineRect.x, first_width);
  place(kTimelineRect.Right() - last_width, last_width);
  for (const AxisLabel& tick : labels.ticks) {
    const double x = axis.X(tick.position);
    mark(x);
    const double width = canvas.TextWidth(tick.text);
    if (!free(x - width / 2, width)) continue;
    canvas.DrawText(x, kTimeLabelBaseline, tick.text, TextAlign::Centre);
    place(x - width / 2, width);
  }
}

void DrawCaption(const Canvas& canvas, const RunPicture& picture, const TimelineAxis& axis) {
  std::string caption = "Timeline: fix class (band) and satellites used (line)";
  if (!axis.ByTime()) {
    const auto untimed = std::count_if(picture.vertices.begin(), picture.vertices.end(),
                                       [](const TrackVertex& vertex) { return !vertex.HasTime(); });
    caption += static_cast<std::size_t>(untimed) == picture.vertices.size()
                   ? ", by epoch number: no epoch has a valid time"
                   : ", by epoch number: " + FormatDecimal(untimed) + " of " +
                         FormatDecimal(static_cast<long long>(picture.vertices.size())) +
                         " epochs have no valid time";
  }
  canvas.SetFont(kSmallFontSize, FontWeight::Bold);
  canvas.SetColour(kTextColour);
  canvas.DrawText(kPictureMargin, kTimelineCaptionBaseline,
                  canvas.FittedText(caption, kPictureWidth - 2 * kPictureMargin));
}

}  // namespace

void DrawTimeline(const Canvas& canvas, const RunPicture& picture, const GapRule& gaps) {
  if (picture.vertices.empty()) return;
  const TimelineAxis axis(picture, gaps);
  DrawCaption(canvas, picture, axis);
  DrawBands(canvas, picture, axis);
  DrawSatellites(canvas, picture, axis);
  DrawTimeLabels(canvas, axis);
}

}  // namespace trackmint
