#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QLineEdit>

namespace trackmint {

// A field that holds only texts of one kind. Whatever else it shows while being typed goes back
// to the last text of that kind it held when the field loses the focus or takes Enter, and Text()
// gives that text meanwhile, so that the run and the settings file never read one of another
// kind. Before the field ever held one there is nothing to go back to.
class CheckedField : public QLineEdit {
  Q_OBJECT

 public:
  using Check = std::function<bool(std::string_view text)>;
  CheckedField(Check check, QWidget* parent = nullptr);

  // The last text of the kind the field held; empty when it never held one.
  std::string Text() const;
  // Shows text when it is of the kind; otherwise the field keeps the one it had.
  void SetText(const std::string& text);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void KeepValidText();

  Check m_check;
  std::optional<QString> m_last_valid;
};

}  // namespace trackmint
