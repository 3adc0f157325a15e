#include "app/window/file_field.h"

#include "app/window/qt_text.h"

namespace trackmint {

FileField::FileField(QWidget* parent) : QLineEdit(parent) {}

std::string FileField::Text() const {
  return ToStdString(text());
}

void FileField::SetText(const std::string& text) {
  setText(ToQString(text));
}

void FileField::SetHint(const std::string& hint) {
  m_hint = hint;
  // Marked up and escaped, so a path is shown as it is, on one line, whatever characters it has.
  setToolTip(hint.empty() ? QString()
                          : QStringLiteral("<p style='white-space:pre'>%1</p>")
                                .arg(ToQString(hint).toHtmlEscaped()));
}

}  // namespace trackmint
