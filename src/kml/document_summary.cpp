#include "kml/document_summary.h"

#include <algorithm>
#include <cmath>

#include "base/calendar_date.h"
#include "base/number_format.h"

namespace trackmint {
namespace {

std::optional<double> SecondsSinceEpoch(const PlacemarkTime& moment) {
  const std::optional<TimeOfDay> time = ParseTimeOfDay(moment.time);
  if (!IsCalendarDate(moment.date) || !time) return std::nullopt;
  const auto number = [&](std::size_t start, std::size_t size) {
    return std::stoi(moment.date.substr(start, size));
  };
  const std::int64_t days = DaysSinceEpoch(number(0, 4), number(5, 2), number(8, 2));
  return static_cast<double>(days) * 86400.0 + time->Seconds();
}

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

}  // namespace

std::string SpanText(const DocumentSummary& summary) {
  if (!summary.first || !summary.last) return "no placemark";
  std::string line = MomentText(*summary.first) + " to " + MomentText(*summary.last);
  if (const std::optional<double> duration = summary.DurationSeconds()) {
    const auto decimals = static_cast<int>(std::min<std::size_t>(
        3, std::max(FractionDigits(*summary.first), FractionDigits(*summary.last))));
    line += " (" + DurationText(*duration, decimals) + ")";
  } else {
    line += " (duration unknown: the log gives no date for both ends)";
  }
  return line;
}

std::optional<double> DocumentSummary::DurationSeconds() const {
  if (!first || !last) return std::nullopt;
  const std::optional<double> start = SecondsSinceEpoch(*first);
  const std::optional<double> end = SecondsSinceEpoch(*last);
  if (!start || !end) return std::nullopt;
  return *end - *start;
}

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

}  // namespace trackmint
