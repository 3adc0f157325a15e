#include "app/window/time_bound_field.h"

#include <QKeyEvent>

#include "app/window/qt_text.h"
#include "base/time_window.h"

namespace trackmint {
namespace {

bool IsBoundOrEmpty(const QString& text) {
  return text.isEmpty() || ParseTimeBound(ToStdString(text)).has_value();
}

}  // namespace

TimeBoundField::TimeBoundField(QWidget* parent) : QLineEdit(parent) {
  setPlaceholderText(QStringLiteral("hh:mm"));
  setToolTip(
      QStringLiteral("A time of day hh:mm[:ss[.fff]] (UTC, as the receiver reports it) or "
                     "a date-time yyyy-mm-ddThh:mm[:ss[.fff]]; empty for no bound"));
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (IsBoundOrEmpty(text())) m_last_valid = text();
  });
}

std::string TimeBoundField::Text() const {
  return ToStdString(m_last_valid);
}

void TimeBoundField::SetText(const std::string& text) {
  setText(ToQString(text));
  KeepValidBound();
}

void TimeBoundField::focusOutEvent(QFocusEvent* event) {
  KeepValidBound();
  QLineEdit::focusOutEvent(event);
}

void TimeBoundField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) KeepValidBound();
  QLineEdit::keyPressEvent(event);
}

void TimeBoundField::KeepValidBound() {
  if (!IsBoundOrEmpty(text())) setText(m_last_valid);
}

}  // namespace trackmint
