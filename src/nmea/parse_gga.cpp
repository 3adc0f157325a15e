// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
//
// field  meaning                      unit / codes
//   1    UTC time hhmmss.ss           kept as text
//   2,3  latitude ddmm.mmmm, N/S
//   4,5  longitude dddmm.mmmm, E/W
//   6    fix quality                  0 none, 1 autonomous, 2 differential, 4 RTK fixed,
//                                     5 RTK float, 6 estimated; others pass through
//   7    satellites in use
//   8    HDOP
//   9    altitude                     metres above mean sea level
//  10-12 altitude unit, geoid separation and its unit   (not used)
//  13    age of differential data     seconds
//  14    reference station id         (not used)
#include "base/number_text.h"
#include "nmea/nmea.h"
#include "nmea/position_fields.h"
#include "nmea/sentence_parsers.h"

namespace trackmint {
namespace {

constexpr int kGgaTime = 1;
constexpr int kGgaLatitude = 2;
constexpr int kGgaLatitudeHemisphere = 3;
constexpr int kGgaLongitude = 4;
constexpr int kGgaLongitudeHemisphere = 5;
constexpr int kGgaFixQuality = 6;
constexpr int kGgaSatellitesInUse = 7;
constexpr int kGgaHdop = 8;
constexpr int kGgaAltitude = 9;
constexpr int kGgaDifferentialAge = 13;

}  // namespace

void ParseGGA(std::string_view sentence, waypoints& record) {
  NMEA splitter;
  splitter.SplitFields(sentence);
  ApplyTime(splitter.Field(kGgaTime), record);
  ApplyLatitude(splitter.Field(kGgaLatitude), splitter.Field(kGgaLatitudeHemisphere), record);
  ApplyLongitude(splitter.Field(kGgaLongitude), splitter.Field(kGgaLongitudeHemisphere), record);
  record.gga_fix_quality = IntegerValue(splitter.Field(kGgaFixQuality));
  record.satellites_in_use = IntegerValue(splitter.Field(kGgaSatellitesInUse));
  record.hdop = DecimalValue(splitter.Field(kGgaHdop));
  record.altitude = DecimalValue(splitter.Field(kGgaAltitude));
  record.differential_age = DecimalValue(splitter.Field(kGgaDifferentialAge));
  record.gga_flag = 1;
}

}  // namespace trackmint
