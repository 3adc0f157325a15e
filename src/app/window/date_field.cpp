#include "app/window/date_field.h"

#include "app/window/qt_text.h"

namespace trackmint {

DateField::DateField(QWidget* parent) : QLineEdit(parent) {
  setInputMask(QStringLiteral("9999-99-99;_"));
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (hasAcceptableInput()) m_last_complete = text();
  });
}

std::string DateField::Text() const {
  return ToStdString(text());
}

void DateField::SetText(const std::string& text) {
  setText(ToQString(text));
}

void DateField::focusOutEvent(QFocusEvent* event) {
  if (!hasAcceptableInput() && !m_last_complete.isEmpty() && isModified()) setText(m_last_complete);
  QLineEdit::focusOutEvent(event);
}

}  // namespace trackmint
