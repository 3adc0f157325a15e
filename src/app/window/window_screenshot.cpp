// Saves a picture of the main window: window_screenshot OUT.png [LOG [DIALOG.png]]. Without LOG
// as it looks at start-up without a settings file; with LOG after a run over it, the run's
// picture in its box, and with DIALOG.png the box of the whole picture too. Runs on any Qt
// platform, the offscreen one included.
#include <iostream>
#include <string>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>

#include "app/error_text.h"
#include "app/window/tform1.h"
#include "app/window/window_dialogs.h"
#include "base/clock.h"
#include "base/paths.h"
#include "nmea/nmea.h"
#include "run/conversion_run.h"

namespace {

using namespace trackmint;

// No one to ask: every box is answered with nothing.
class SilentDialogs final : public WindowDialogs {
 public:
  std::optional<std::string> AskOpenFile(const FileChooser&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFile(const FileChooser&) override { return std::nullopt; }
  std::optional<WindowColour> AskColour(WindowColour) override { return std::nullopt; }
  void ShowWarning(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void ShowInformation(const std::string&) override {}
  void ShowError(const std::string& text) override { std::cerr << text << "\n"; }
};

bool Save(QWidget& widget, const char* path) {
  if (!widget.grab().save(QString::fromLocal8Bit(path), "PNG")) {
    std::cerr << "window_screenshot: cannot write " << path << "\n";
    return false;
  }
  std::cout << "wrote " << path << " (" << widget.width() << " x " << widget.height() << ")\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: window_screenshot OUT.png [LOG [DIALOG.png]]\n";
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  SilentDialogs dialogs;
  NMEA assembler;
  const SystemClock clock;
  TForm1 form1(dialogs, "/usr/bin/trackmint",
               [&](const ConversionRequest& request, RunObserver& observer) {
                 return RunConversion(request, observer, assembler, clock);
               });
  // No settings file: the defaults, as at a first start.
  form1.LoadSettings("/nonexistent/trackmint.ini");
  form1.FormCreate();
  form1.show();
  if (argc >= 3) {
    form1.DropFiles({FullPath(argv[2])});
    form1.SpeedButton3Click();
  }
  QApplication::processEvents();
  if (!Save(form1, argv[1])) return 1;
  if (argc == 4) {
    form1.Image1Click();
    QApplication::processEvents();
    auto* dialog = form1.findChild<QDialog*>("PictureDialog");
    if (dialog == nullptr || !Save(*dialog, argv[3])) return 1;
  }
  return 0;
}
