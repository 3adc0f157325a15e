#include "run/conversion_request.h"

#include "base/paths.h"

namespace trackmint {

std::string DocumentMemberName(std::string_view kmz_path) {
  return ChangeExtension(FileNamePart(kmz_path), ".kml");
}

}  // namespace trackmint
