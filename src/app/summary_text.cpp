#include "app/summary_text.h"

#include <algorithm>
#include <cmath>

#include "base/calendar_date.h"
#include "base/number_format.h"

namespace trackmint {
namespace {

// "2020-03-18 12:38:14.20"; a time the receiver wrote in another form stands as it came.
std::string MomentText(const PlacemarkTime& moment) {
  std::string text = moment.date.empty() ? std::string() : moment.date + " ";
  if (const std::optional<TimeOfDay> time = ParseTimeOfDay(moment.time)) {
    text += moment.time.substr(0, 2) + ":" + moment.time.substr(2, 2) + ":" + moment.time.substr(4);
  } else {
    text += moment.time;
  }
  return text;
}

std::size_t FractionDigits(const PlacemarkTime& moment) {
  const std::optional<TimeOfDay> time = ParseTimeOfDay(moment.time);
  return time ? time->fraction.size() : 0;
}

std::string SpanLine(const DocumentSummary& summary) {
  if (!summary.first || !summary.last) return "Span: no placemark";
  std::string line = "Span: " + MomentText(*summary.first) + " to " + MomentText(*summary.last);
  if (const std::optional<double> duration = summary.DurationSeconds()) {
    const auto decimals = static_cast<int>(std::min<std::size_t>(
        3, std::max(FractionDigits(*summary.first), FractionDigits(*summary.last))));
    line += " (" + DurationText(*duration, decimals) + ")";
  } else {
    line += " (duration unknown: the log gives no date for both ends)";
  }
  return line;
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

std::string DurationText(double seconds, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(std::fabs(seconds) * scale) / scale;
  const auto whole = static_cast<long long>(rounded);
  std::string text = seconds < 0 ? "-" : "";
  text += FormatDecimal(whole / 3600) + ":";
  AppendZeroPadded(text, whole / 60 % 60, 2);
  text += ':';
  // The seconds with their decimals, padded to two digits before the point.
  const std::string second = FormatFixed(rounded - static_cast<double>(whole / 60 * 60), decimals);
  if (second.size() < (decimals > 0 ? 3u + static_cast<unsigned>(decimals) : 2u)) text += '0';
  text += second;
  return text;
}

std::vector<std::string> SummaryLines(const DocumentSummary& summary) {
  return {
      SpanLine(summary),
      "Epochs: " + FormatDecimal(static_cast<long long>(summary.epochs)) + " read, " +
          FormatDecimal(summary.placemarks) + " waypoint placemarks",
      ClassesLine(summary),
      "Valid track: " + FormatFixed(summary.track_metres / 1000.0, 3) + " km, highest speed " +
          FormatFixed(summary.max_speed_kmh, 1) + " km/h",
  };
}

}  // namespace trackmint
