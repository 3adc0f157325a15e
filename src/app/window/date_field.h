#pragma once

#include <string>

#include <QLineEdit>

namespace trackmint {

// The fixed-date field: exactly "dddd-dd-dd", the dashes fixed and a digit in every other place,
// holding only dates of the calendar. Whatever else it shows while being typed (a date half
// typed, 2024-13-45, 2023-02-29) goes back to the last valid date when the field loses the focus
// or takes Enter, and Text() gives that date meanwhile, so the run and the settings file never
// read a date that does not exist.
class DateField : public QLineEdit {
  Q_OBJECT

 public:
  explicit DateField(QWidget* parent = nullptr);

  // The last valid date the field held.
  std::string Text() const;
  // Shows text when it is a valid date; otherwise the field keeps its last valid date.
  void SetText(const std::string& text);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void KeepValidDate();

  QString m_last_valid;
};

}  // namespace trackmint
