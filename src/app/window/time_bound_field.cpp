#include "app/window/time_bound_field.h"

#include "base/time_window.h"

namespace trackmint {
namespace {

bool IsBoundOrEmpty(std::string_view text) {
  return text.empty() || ParseTimeBound(text).has_value();
}

}  // namespace

TimeBoundField::TimeBoundField(QWidget* parent) : CheckedField(IsBoundOrEmpty, parent) {
  setPlaceholderText(QStringLiteral("hh:mm"));
  setToolTip(
      QStringLiteral("A time of day hh:mm[:ss[.fff]] (UTC, as the receiver reports it) or "
                     "a date-time yyyy-mm-ddThh:mm[:ss[.fff]]; empty for no bound"));
}

}  // namespace trackmint
