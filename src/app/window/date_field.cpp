#include "app/window/date_field.h"

#include <QKeyEvent>

#include "app/window/qt_text.h"
#include "base/calendar_date.h"

namespace trackmint {
namespace {

bool IsValidDate(const QString& text) {
  return IsCalendarDate(ToStdString(text));
}

}  // namespace

DateField::DateField(QWidget* parent) : QLineEdit(parent) {
  setInputMask(QStringLiteral("9999-99-99;_"));
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (IsValidDate(text())) m_last_valid = text();
  });
}

std::string DateField::Text() const {
  return ToStdString(m_last_valid);
}

void DateField::SetText(const std::string& text) {
  setText(ToQString(text));
  KeepValidDate();
}

void DateField::focusOutEvent(QFocusEvent* event) {
  KeepValidDate();
  QLineEdit::focusOutEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) KeepValidDate();
  QLineEdit::keyPressEvent(event);
}

void DateField::KeepValidDate() {
  // Before the field ever held a date there is nothing to go back to.
  if (!IsValidDate(text()) && !m_last_valid.isEmpty()) setText(m_last_valid);
}

}  // namespace trackmint
