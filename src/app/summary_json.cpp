#include "app/summary_json.h"

#include <cstdio>

#include "base/number_format.h"
#include "base/utf8.h"
#include "nmea/fix_class.h"

namespace trackmint {
namespace {

std::string MomentJson(const std::optional<PlacemarkTime>& moment) {
  if (!moment) return "null";
  return "{\"date\":" + (moment->date.empty() ? std::string("null") : JsonString(moment->date)) +
         ",\"time\":" + JsonString(moment->time) + "}";
}

std::string ClassesJson(const DocumentSummary& summary) {
  std::string json = "[";
  for (const FixClass& fix_class : kFixClasses) {
    const std::int32_t count =
        summary.placemarks_by_class[static_cast<std::size_t>(fix_class.slot)];
    if (count == 0) continue;
    if (json.size() > 1) json += ',';
    json += "{\"class\":" + JsonString(fix_class.summary_name) +
            ",\"placemarks\":" + FormatDecimal(count) +
            ",\"share\":" + FormatFixed(static_cast<double>(count) / summary.placemarks, 4) + "}";
  }
  return json + "]";
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (std::size_t i = 0; i < text.size();) {
    char32_t code_point = 0;
    const std::size_t length = DecodeUtf8(text.substr(i), code_point);
    if (length == 0) {
      json += "\\ufffd";
      ++i;
      continue;
    }
    if (code_point == '"' || code_point == '\\') {
      json += '\\';
      json += static_cast<char>(code_point);
    } else if (code_point < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(code_point));
      json += escaped;
    } else {
      json.append(text, i, length);
    }
    i += length;
  }
  return json + "\"";
}

std::string SummaryJson(const DocumentSummary& summary, const RunFiles& files) {
  const std::optional<double> duration = summary.DurationSeconds();
  std::string inputs = "[";
  for (const std::string& input : files.inputs) {
    inputs += (inputs.size() > 1 ? "," : "") + JsonString(input);
  }
  inputs += "]";
  const auto path_or_null = [](const std::string& path) {
    return path.empty() ? std::string("null") : JsonString(path);
  };
  return "{\"kmz\":" + JsonString(files.kmz) + ",\"input\":" +
         (files.inputs.empty() ? std::string("null") : JsonString(files.inputs.front())) +
         ",\"inputs\":" + inputs + ",\"preview\":" + path_or_null(files.preview) +
         ",\"csv\":" + path_or_null(files.csv) +
         ",\"epochs\":" + FormatDecimal(static_cast<long long>(summary.epochs)) +
         ",\"epochs_outside_window\":" +
         FormatDecimal(static_cast<long long>(summary.epochs_outside_window)) +
         ",\"placemarks_thinned\":" + FormatDecimal(summary.placemarks_thinned) +
         ",\"placemarks\":" + FormatDecimal(summary.placemarks) +
         ",\"first\":" + MomentJson(summary.first) + ",\"last\":" + MomentJson(summary.last) +
         ",\"duration_seconds\":" + (duration ? FormatFixed(*duration, 3) : std::string("null")) +
         ",\"fix_classes\":" + ClassesJson(summary) +
         ",\"track_km\":" + FormatFixed(summary.track_metres / 1000.0, 3) +
         ",\"max_speed_kmh\":" + FormatFixed(summary.max_speed_kmh, 3) +
         ",\"receiver_dates_replaced\":" + FormatDecimal(summary.receiver_dates_replaced) + "}";
}

}  // namespace trackmint
