#pragma once

#include "kml/document_stream.h"
#include "nmea/fix_class.h"
#include "nmea/waypoints.h"

namespace trackmint {

// A table of the placemarks a document holds, one row each in the document's order, as CSV for
// those who compute with them (RFC 4180: a header row, fields with a comma, a quote or a line
// break in quotes, CR LF line ends; "." as the decimal point whatever the locale): the time as the
// placemark's time stamp gives it, latitude, longitude and altitude, the fix class of its icon,
// the GGA quality, the RMC mode, the satellites used, the HDOP, the speed in km/h and the course.
// A field the epoch's sentences did not give (the GGA's without GGA, the RMC's without RMC, the
// time without a time stamp) is empty.
class PlacemarkTable {
 public:
  explicit PlacemarkTable(DocumentStream& stream);

  // The row of a placemark, its date already the one the placemark shows.
  void AddPlacemark(const waypoints& record, IconSlot icon);

 private:
  DocumentStream& m_stream;
};

}  // namespace trackmint
