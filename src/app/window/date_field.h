#pragma once

#include <QWidget>

#include "app/window/checked_field.h"

namespace trackmint {

// The fixed-date field: exactly "dddd-dd-dd", the dashes fixed and a digit in every other place,
// holding only dates of the calendar. A date half typed, 2024-13-45 or 2023-02-29 goes back to the
// last valid date, so the run and the settings file never read a date that does not exist.
class DateField : public CheckedField {
  Q_OBJECT

 public:
  explicit DateField(QWidget* parent = nullptr);
};

}  // namespace trackmint
