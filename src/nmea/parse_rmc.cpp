// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A*6A
//
// field  meaning                      unit / codes
//   1    UTC time hhmmss.ss           kept as text
//   2    status                       A valid, V void
//   3,4  latitude ddmm.mmmm, N/S
//   5,6  longitude dddmm.mmmm, E/W
//   7    speed over ground            knots
//   8    course over ground           degrees true
//   9    date ddmmyy                  yy is 20yy
//  10,11 magnetic variation, E/W      (not used)
//  12    mode indicator (NMEA 2.3+)   A autonomous, D differential, E estimated, F RTK float,
//                                     N no fix, P precise / RTK fixed, R RTK, ...
#include "base/calendar_date.h"
#include "base/number_text.h"
#include "nmea/nmea.h"
#include "nmea/position_fields.h"
#include "nmea/sentence_parsers.h"

namespace trackmint {
namespace {

constexpr int kRmcTime = 1;
constexpr int kRmcStatus = 2;
constexpr int kRmcLatitude = 3;
constexpr int kRmcLatitudeHemisphere = 4;
constexpr int kRmcLongitude = 5;
constexpr int kRmcLongitudeHemisphere = 6;
constexpr int kRmcSpeedKnots = 7;
constexpr int kRmcCourse = 8;
constexpr int kRmcDate = 9;
constexpr int kRmcModeIndicator = 12;

constexpr double kKilometresPerNauticalMile = 1.852;

// ddmmyy; a field shorter than six characters gives what its characters give.
std::string ReceiverDate(std::string_view field) {
  const auto part = [field](std::size_t start) {
    return start < field.size() ? IntegerValue(field.substr(start, 2)) : 0;
  };
  return DateText(2000 + part(4), part(2), part(0));
}

}  // namespace

void ParseRMC(std::string_view sentence, waypoints& record, const Clock& clock) {
  NMEA splitter;
  splitter.SplitFields(sentence);
  ApplyTime(splitter.Field(kRmcTime), record);
  const std::string_view status = splitter.Field(kRmcStatus);
  record.rmc_status = status.empty() ? '\0' : status.front();
  ApplyLatitude(splitter.Field(kRmcLatitude), splitter.Field(kRmcLatitudeHemisphere), record);
  ApplyLongitude(splitter.Field(kRmcLongitude), splitter.Field(kRmcLongitudeHemisphere), record);
  record.speed = DecimalValue(splitter.Field(kRmcSpeedKnots)) * kKilometresPerNauticalMile;
  record.course_over_ground = DecimalValue(splitter.Field(kRmcCourse));

  const std::string_view date = splitter.Field(kRmcDate);
  if (!date.empty()) {
    record.date_text = ReceiverDate(date);
    record.date_source = DateSource::Receiver;
  } else {
    record.date_text = ClockDateText(clock);
    record.date_source = DateSource::Clock;
  }
  record.rmc_flag = 1;
  const std::string_view mode = splitter.Field(kRmcModeIndicator);
  record.mode_indicator = mode.empty() ? '\0' : mode.front();
}

}  // namespace trackmint
