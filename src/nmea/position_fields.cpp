#include "nmea/position_fields.h"

#include "base/number_text.h"

namespace trackmint {
namespace {

double Coordinate(std::string_view position, std::size_t degree_digits) {
  const std::string_view degrees = position.substr(0, degree_digits);
  const std::string_view minutes =
      position.size() > degree_digits ? position.substr(degree_digits) : "";
  return IntegerValue(degrees) + DecimalValue(minutes) / 60.0;
}

}  // namespace

void ApplyTime(std::string_view field, waypoints& record) {
  if (!field.empty()) record.time_text.assign(field);
}

void ApplyLatitude(std::string_view position, std::string_view hemisphere, waypoints& record) {
  if (position.empty()) return;
  const double latitude = Coordinate(position, 2);
  record.latitude = hemisphere.starts_with('S') ? -latitude : latitude;
}

void ApplyLongitude(std::string_view position, std::string_view hemisphere, waypoints& record) {
  if (position.empty()) return;
  const double longitude = Coordinate(position, 3);
  record.longitude = hemisphere.starts_with('W') ? -longitude : longitude;
}

}  // namespace trackmint
