#pragma once

#include <QWidget>

#include "app/window/checked_field.h"

namespace trackmint {

// A bound of the time window: empty for none, a time of day "hh:mm[:ss[.fff]]" or a date-time
// "yyyy-mm-ddThh:mm[:ss[.fff]]"; any other text goes back to the last bound it held.
class TimeBoundField : public CheckedField {
  Q_OBJECT

 public:
  explicit TimeBoundField(QWidget* parent = nullptr);
};

}  // namespace trackmint
