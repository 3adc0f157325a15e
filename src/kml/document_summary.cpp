#include "kml/document_summary.h"

#include "base/calendar_date.h"

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

}  // namespace

std::optional<double> DocumentSummary::DurationSeconds() const {
  if (!first || !last) return std::nullopt;
  const std::optional<double> start = SecondsSinceEpoch(*first);
  const std::optional<double> end = SecondsSinceEpoch(*last);
  if (!start || !end) return std::nullopt;
  return *end - *start;
}

}  // namespace trackmint
