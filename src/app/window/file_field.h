#pragma once

#include <string>

#include <QLineEdit>

namespace trackmint {

// A file field: the text the user sees and edits (a file name) and its Hint, the file's full
// path, which the field shows as its tooltip.
class FileField : public QLineEdit {
  Q_OBJECT

 public:
  explicit FileField(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& text);
  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint);

 private:
  std::string m_hint;
};

}  // namespace trackmint
