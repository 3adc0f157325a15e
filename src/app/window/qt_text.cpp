#include "app/window/qt_text.h"

namespace trackmint {

QString MessageBoxText(const std::string& text) {
  QString result = ToQString(text);
  result.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

}  // namespace trackmint
