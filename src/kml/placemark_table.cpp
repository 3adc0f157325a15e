#include "kml/placemark_table.h"

#include <optional>
#include <string>
#include <string_view>

#include "kml/time_stamp.h"

namespace trackmint {
namespace {

constexpr std::string_view kHeader =
    "time,latitude,longitude,altitude_m,fix_class,gga_quality,rmc_mode,satellites_used,hdop,"
    "speed_kmh,course_deg\r\n";

// A text field as RFC 4180 wants it: in quotes, its quotes doubled, when it holds a comma, a quote
// or a line break.
void WriteTextField(DocumentStream& stream, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    stream.Write(text);
    return;
  }
  stream.Write('"');
  for (const char c : text) {
    if (c == '"') stream.Write('"');
    stream.Write(c);
  }
  stream.Write('"');
}

}  // namespace

PlacemarkTable::PlacemarkTable(DocumentStream& stream) : m_stream(stream) {
  m_stream.Write(kHeader);
}

void PlacemarkTable::AddPlacemark(const waypoints& record, IconSlot icon) {
  const bool gga = record.gga_flag == 1;
  const bool rmc = record.rmc_flag == 1;
  if (const std::optional<std::string> when = DateTimeText(record.date_text, record.time_text)) {
    m_stream.Write(*when);
  }
  m_stream.Write(',');
  m_stream.WriteFixed(record.latitude, 6);
  m_stream.Write(',');
  m_stream.WriteFixed(record.longitude, 6);
  m_stream.Write(',');
  if (gga) m_stream.WriteFixed(record.altitude, 3);
  m_stream.Write(',');
  WriteTextField(m_stream, FixClassOf(icon).summary_name);
  m_stream.Write(',');
  if (gga) m_stream.WriteDecimal(record.gga_fix_quality);
  m_stream.Write(',');
  if (rmc && record.mode_indicator != '\0') {
    // The one character as the log gave it, when it is one a text can hold as it is.
    const char mode = record.mode_indicator;
    const char shown = mode >= ' ' && mode <= '~' ? mode : '?';
    WriteTextField(m_stream, std::string_view(&shown, 1));
  }
  m_stream.Write(',');
  if (gga) m_stream.WriteDecimal(record.satellites_in_use);
  m_stream.Write(',');
  if (gga) m_stream.WriteFixed(record.hdop, 2);
  m_stream.Write(',');
  if (rmc) m_stream.WriteFixed(record.speed, 3);
  m_stream.Write(',');
  if (rmc) m_stream.WriteFixed(record.course_over_ground, 2);
  m_stream.Write("\r\n");
}

}  // namespace trackmint
