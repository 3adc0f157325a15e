#include "app/window/spinner_steps.h"

#include <cstdint>
#include <iterator>

#include "base/number_format.h"
#include "base/number_text.h"
#include "base/time_window.h"

namespace trackmint {
namespace {

constexpr std::int64_t kMinimumWidth = 1;
constexpr std::int64_t kMaximumWidth = 10;
constexpr double kScaleStep = 0.1;
constexpr double kMinimumScale = 0.1;
constexpr double kMaximumScale = 1.0;
constexpr int kScaleDecimals = 6;

// The round intervals, in milliseconds, with the texts the field shows for them.
struct RoundInterval {
  std::int32_t milliseconds;
  const char* text;
};
constexpr RoundInterval kRoundIntervals[] = {
    {0, "0"},          {100, "0.1"},      {200, "0.2"},    {500, "0.5"},    {1000, "1"},
    {2000, "2"},       {5000, "5"},       {10000, "10"},   {15000, "15"},   {30000, "30"},
    {60000, "60"},     {120000, "120"},   {300000, "300"}, {600000, "600"}, {900000, "900"},
    {1800000, "1800"}, {3600000, "3600"},
};

}  // namespace

std::string StepArrowInterval(std::string_view text, SpinDirection direction) {
  const std::int32_t now = ParseArrowInterval(text).value_or(0);
  if (direction == SpinDirection::Up) {
    for (const RoundInterval& interval : kRoundIntervals) {
      if (interval.milliseconds > now) return interval.text;
    }
    return std::end(kRoundIntervals)[-1].text;
  }
  for (auto it = std::rbegin(kRoundIntervals); it != std::rend(kRoundIntervals); ++it) {
    if (it->milliseconds < now) return it->text;
  }
  return kRoundIntervals[0].text;
}

std::string StepTrackWidth(std::string_view text, SpinDirection direction) {
  // 64 bits, so that a step from the end of the 32-bit range cannot wrap around.
  const std::int64_t width =
      std::int64_t{IntegerValue(text)} + (direction == SpinDirection::Up ? 1 : -1);
  if (width < kMinimumWidth) return "1";
  if (width > kMaximumWidth) return "10";
  return FormatDecimal(width);
}

std::string StepIconScale(std::string_view text, SpinDirection direction) {
  // The step reads back the text of the previous one, rounded to six decimals, so rounding errors
  // of the binary sum never pile up: 0.5 up five times ends exactly at 1.0, down four times at 0.1.
  const double scale =
      DecimalValue(text) + (direction == SpinDirection::Up ? kScaleStep : -kScaleStep);
  if (scale < kMinimumScale) return "0.1";
  if (scale > kMaximumScale) return "1.0";
  std::string stepped = FormatFixed(scale, kScaleDecimals);
  // Shown as typed: "0.700000" is "0.7", "1.000000" is "1.0".
  while (stepped.ends_with('0') && stepped[stepped.size() - 2] != '.') stepped.pop_back();
  return stepped;
}

}  // namespace trackmint
