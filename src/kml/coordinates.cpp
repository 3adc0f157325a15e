#include "kml/coordinates.h"

namespace trackmint {

void WriteCoordinates(DocumentStream& stream, double longitude, double latitude, double altitude) {
  stream.WriteFixed(longitude, 6);
  stream.Write(',');
  stream.WriteFixed(latitude, 6);
  stream.Write(',');
  stream.WriteFixed(altitude, 6);
}

}  // namespace trackmint
