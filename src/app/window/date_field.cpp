#include "app/window/date_field.h"

#include "base/calendar_date.h"

namespace trackmint {

DateField::DateField(QWidget* parent) : CheckedField(IsCalendarDate, parent) {
  setInputMask(QStringLiteral("9999-99-99;_"));
}

}  // namespace trackmint
