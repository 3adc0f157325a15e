#pragma once

#include <string>

#include <QLineEdit>

namespace trackmint {

// A bound of the time window: empty for none, a time of day "hh:mm[:ss[.fff]]" or a date-time
// "yyyy-mm-ddThh:mm[:ss[.fff]]". Whatever else it shows while being typed goes back to the last
// bound it held when the field loses the focus or takes Enter, and Text() gives that bound
// meanwhile, so the run and the settings file never read a time that is none.
class TimeBoundField : public QLineEdit {
  Q_OBJECT

 public:
  explicit TimeBoundField(QWidget* parent = nullptr);

  std::string Text() const;
  // Shows text when it is a bound or empty; otherwise the field keeps the bound it had.
  void SetText(const std::string& text);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void KeepValidBound();

  QString m_last_valid;
};

}  // namespace trackmint
