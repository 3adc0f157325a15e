#include "kml/fix_status_text.h"

#include <array>
#include <string_view>

#include "nmea/fix_class.h"

namespace trackmint {
namespace {

struct StatusName {
  std::int32_t code;
  std::string_view name;
};

constexpr std::array<StatusName, 3> kGsaStatusNames = {{
    {1, "N/A"},
    {2, "2D"},
    {3, "3D"},
}};

void WriteNamedCode(DocumentStream& stream, std::string_view name, std::int32_t code) {
  stream.Write(name);
  stream.Write(" (");
  stream.WriteDecimal(code);
  stream.Write(')');
}

}  // namespace

void WriteGgaStatusText(DocumentStream& stream, const waypoints& record) {
  if (record.gga_flag == 1) {
    for (const FixClass& fix_class : kFixClasses) {
      if (fix_class.gga_quality == record.gga_fix_quality) {
        WriteNamedCode(stream, fix_class.status_text, record.gga_fix_quality);
        return;
      }
    }
  }
  stream.Write("None");
}

void WriteGsaStatusText(DocumentStream& stream, std::int32_t gsa_fix_type) {
  for (const StatusName& status : kGsaStatusNames) {
    if (status.code == gsa_fix_type) {
      WriteNamedCode(stream, status.name, status.code);
      return;
    }
  }
  stream.WriteDecimal(gsa_fix_type);
}

}  // namespace trackmint
