#include "app/summary_text.h"

#include <algorithm>
#include <cmath>

#include "base/calendar_date.h"
#include "base/number_format.h"
#include "base/time_window.h"

namespace trackmint {
namespace {

std::string SpanLine(const DocumentSummary& summary) {
  return "Span: " + SpanText(summary);
}

std::string ClassesLine(const DocumentSummary& summary) {
  std::string line = "Fix classes:";
  bool any = false;
  for (const FixClass& fix_class : kFixClasses) {
    const std::int32_t count =
        summary.placemarks_by_class[static_cast<std::size_t>(fix_class.slot)];
    if (count == 0) continue;
    line += any ? ", " : " ";
    line += std::string(fix_class.summary_name) + " " + FormatDecimal(count) + " (" +
            FormatFixed(100.0 * count / summary.placemarks, 1) + " %)";
    any = true;
  }
  if (!any) line += " none";
  return line;
}

}  // namespace

namespace {

std::string EpochsLine(const DocumentSummary& summary) {
  std::string line = "Epochs: " + FormatDecimal(static_cast<long long>(summary.epochs)) +
                     " read, " + FormatDecimal(summary.placemarks) + " waypoint placemarks";
  if (summary.time_window) {
    line += ", " + FormatDecimal(static_cast<long long>(summary.epochs_outside_window)) +
            " outside the time window";
  }
  if (summary.arrow_interval) {
    line += ", " + FormatDecimal(summary.placemarks_thinned) + " left out by the arrow interval";
  }
  return line;
}

// "57,600".
std::string WithThousands(long long value) {
  std::string digits = FormatDecimal(value < 0 ? -value : value);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return (value < 0 ? "-" : "") + digits;
}

// A count as a person says it: two figures are enough ("about 4,400").
long long Rounded(double count) {
  if (count < 100) return std::llround(count);
  const double unit = std::pow(10.0, std::floor(std::log10(count)) - 1);
  return std::llround(std::round(count / unit) * unit);
}

// Seconds from the first placemark to the last: by their dates when the receiver gave both, else
// by their times of day within one day.
std::optional<double> SpanSeconds(const DocumentSummary& summary) {
  if (const std::optional<double> duration = summary.DurationSeconds()) return duration;
  if (!summary.first || !summary.last) return std::nullopt;
  const std::optional<std::int32_t> first = TimeOfDayMilliseconds(summary.first->time);
  const std::optional<std::int32_t> last = TimeOfDayMilliseconds(summary.last->time);
  if (!first || !last) return std::nullopt;
  std::int32_t span = *last - *first;
  if (span < 0) span += kMillisecondsPerDay;
  return span / 1000.0;
}

// A globe takes about a millisecond a placemark to load them (measured in a web globe).
std::string LoadTimeText(std::int32_t placemarks) {
  const double seconds = placemarks / 1000.0;
  if (seconds < 45) return "about " + FormatDecimal(std::llround(seconds / 10) * 10) + " seconds";
  const long long minutes = std::llround(seconds / 60);
  if (minutes == 1) return "about a minute";
  return "about " + FormatDecimal(minutes) + " minutes";
}

}  // namespace

std::optional<std::string> ViewingHint(const DocumentSummary& summary) {
  constexpr std::int32_t kTooMany = 20'000;
  constexpr double kEnough = 5'000;
  if (summary.placemarks <= kTooMany) return std::nullopt;
  std::string hint = WithThousands(summary.placemarks) + " placemarks take a globe " +
                     LoadTimeText(summary.placemarks) + " to load; ";
  const std::optional<double> span = SpanSeconds(summary);
  constexpr int kRoundIntervals[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                     600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
  if (span) {
    for (const int interval : kRoundIntervals) {
      const double kept = std::floor(*span / interval) + 1;
      if (kept < kEnough) {
        return hint + "--interval " + FormatDecimal(interval) + " keeps about " +
               WithThousands(Rounded(kept));
      }
    }
  }
  return hint + "--interval SECONDS keeps one arrow a slot of that many seconds";
}

std::optional<std::string> FixedDateNote(const DocumentSummary& summary,
                                         const std::string& fixed_date) {
  if (summary.receiver_dates_replaced == 0) return std::nullopt;
  const std::string dates = summary.first_replaced_date == summary.last_replaced_date
                                ? "the receiver's date " + summary.first_replaced_date
                                : "the receiver's dates " + summary.first_replaced_date + " to " +
                                      summary.last_replaced_date;
  return "the fixed date " + fixed_date + " replaced " + dates + " in " +
         WithThousands(summary.receiver_dates_replaced) +
         (summary.receiver_dates_replaced == 1 ? " placemark" : " placemarks") +
         "; untick the date in the window, or CheckBox1=0 in the settings file, to keep the "
         "receiver's dates";
}

std::vector<std::string> SummaryLines(const DocumentSummary& summary) {
  return {
      SpanLine(summary),
      EpochsLine(summary),
      ClassesLine(summary),
      "Valid track: " + FormatFixed(summary.track_metres / 1000.0, 3) + " km, highest speed " +
          FormatFixed(summary.max_speed_kmh, 1) + " km/h",
  };
}

}  // namespace trackmint
