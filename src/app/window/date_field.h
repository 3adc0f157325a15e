#pragma once

#include <string>

#include <QLineEdit>

namespace trackmint {

// The fixed-date field: exactly "dddd-dd-dd", the dashes fixed and a digit in every other place.
// A date left half typed when the field loses the focus goes back to the last complete one, so
// the field never holds a date with gaps that the user did not see being kept.
class DateField : public QLineEdit {
  Q_OBJECT

 public:
  explicit DateField(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& text);

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QString m_last_complete;
};

}  // namespace trackmint
