// Saves a picture of the main window as it looks at start-up without a settings file:
// window_screenshot OUT.png. Runs on any Qt platform, the offscreen one included.
#include <iostream>
#include <string>

#include <QApplication>
#include <QPixmap>

#include "app/error_text.h"
#include "app/window/qt_window_dialogs.h"
#include "app/window/tform1.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: window_screenshot OUT.png\n";
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(trackmint::kApplicationTitle));
  trackmint::QtWindowDialogs dialogs;
  trackmint::TForm1 form1(dialogs, "/usr/bin/trackmint",
                          [](const trackmint::ConversionRequest&, trackmint::RunObserver&) {
                            return trackmint::RunResult{};
                          });
  // No settings file: the defaults, as at a first start.
  form1.LoadSettings("/nonexistent/trackmint.ini");
  form1.show();
  QApplication::processEvents();
  if (!form1.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::cerr << "window_screenshot: cannot write " << argv[1] << "\n";
    return 1;
  }
  std::cout << "wrote " << argv[1] << " (" << form1.width() << " x " << form1.height() << ")\n";
  return 0;
}
