#include "app/window/checked_field.h"

#include <utility>

#include <QKeyEvent>

#include "app/window/qt_text.h"

namespace trackmint {

CheckedField::CheckedField(Check check, QWidget* parent)
    : QLineEdit(parent), m_check(std::move(check)) {
  if (m_check(ToStdString(text()))) m_last_valid = text();
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (m_check(ToStdString(text()))) m_last_valid = text();
  });
}

std::string CheckedField::Text() const {
  return m_last_valid ? ToStdString(*m_last_valid) : std::string();
}

void CheckedField::SetText(const std::string& text) {
  setText(ToQString(text));
  KeepValidText();
}

void CheckedField::focusOutEvent(QFocusEvent* event) {
  KeepValidText();
  QLineEdit::focusOutEvent(event);
}

void CheckedField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) KeepValidText();
  QLineEdit::keyPressEvent(event);
}

void CheckedField::KeepValidText() {
  if (!m_check(ToStdString(text())) && m_last_valid) setText(*m_last_valid);
}

}  // namespace trackmint
