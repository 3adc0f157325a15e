#pragma once

#include <string>

#include <QString>

namespace trackmint {

// Texts cross between the core and the widgets as UTF-8.
inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

inline std::string ToStdString(const QString& text) {
  return text.toStdString();
}

// A message text for a box: line ends written as "\n\r", "\r\n" or a lone "\r" become one line
// break, so no stray control character shows.
QString MessageBoxText(const std::string& text);

}  // namespace trackmint
